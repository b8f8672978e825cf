// The built CardProbe library, loaded by its full path (dlopen on Linux, LoadLibraryW on
// Windows) and reached through its exports by name, the way the program uses it.
#pragma once

#include <gtest/gtest.h>

#include "cardprobe/cardprobe.h"
#include "tests/support/loaded_library.h"

namespace tv::test {

class CardProbeLibrary {
  public:
    CardProbeLibrary() : library_(CARDPROBE_LIBRARY_PATH) {}

    // The library's own symbol of that name; null when it does not export one.
    void* Symbol(const char* name) const { return library_.Symbol(name); }

    // The export of that name as a function of type F; null (and a failure) when missing.
    template <typename F>
    F* Export(const char* name) const {
        void* symbol = Symbol(name);
        if (symbol == nullptr) ADD_FAILURE() << "no export " << name;
        return reinterpret_cast<F*>(symbol);
    }

    int GetCardName(int letter, char* buffer) const {
        return Export<decltype(::GetCardName)>("GetCardName")(letter, buffer);
    }
    int CardProbe(int letter, MediaInfo* info) const {
        return Export<decltype(::CardProbe)>("CardProbe")(letter, info);
    }
    int GetPcmciaType(PcmciaTupleInfo* info, unsigned short selector) const {
        return Export<decltype(::GetPcmciaType)>("GetPcmciaType")(info, selector);
    }
    int GetSerialNumber(int letter, char* buffer) const {
        return Export<decltype(::GetSerialNumber)>("GetSerialNumber")(letter, buffer);
    }
    int MakeSerialNumber(char* buffer) const {
        return Export<decltype(::MakeSerialNumber)>("MakeSerialNumber")(buffer);
    }
    int SetCardName(int letter, const char* text) const {
        return Export<decltype(::SetCardName)>("SetCardName")(letter, text);
    }
    int SetSerialNumber(int letter, const char* serial) const {
        return Export<decltype(::SetSerialNumber)>("SetSerialNumber")(letter, serial);
    }

  private:
    LoadedLibrary library_;
};

}  // namespace tv::test
