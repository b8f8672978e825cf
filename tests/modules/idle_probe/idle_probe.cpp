// Loads the idle library given by its full path, as the program does, asks it once and prints
// "idle" or "busy"; exit status 2 when the library or its entry cannot be loaded.
#include <dlfcn.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    void* library = dlopen(argv[1], RTLD_NOW | RTLD_LOCAL);
    if (library == nullptr) {
        std::fprintf(stderr, "%s\n", dlerror());
        return 2;
    }
    auto* getIdleTime = reinterpret_cast<int (*)()>(dlsym(library, "GetIdleTime"));
    if (getIdleTime == nullptr) return 2;
    std::puts(getIdleTime() != 0 ? "idle" : "busy");
    dlclose(library);
    return 0;
}
