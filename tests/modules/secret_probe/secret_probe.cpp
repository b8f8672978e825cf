// Reads one secret from the desktop store in a process of its own and writes it to standard
// output: secret_probe RECORD INDEX NAME SLOT FIELD. Exit status 0 found, 1 absent, 2 failed.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/secret_store.h"

int main(int argc, char** argv) {
    if (argc != 6) return 2;
    tv::SecretKey key{argv[1], std::atoi(argv[2]), argv[3], std::atoi(argv[4]), argv[5]};
    std::string secret;
    switch (tv::OpenDesktopSecretStore()->Read(key, &secret)) {
        case tv::SecretLookup::kFound:
            std::fwrite(secret.data(), 1, secret.size(), stdout);
            return 0;
        case tv::SecretLookup::kAbsent:
            return 1;
        case tv::SecretLookup::kFailed:
            break;
    }
    return 2;
}
