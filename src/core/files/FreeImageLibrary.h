#pragma once

// Keeps the FreeImage library started while it lives and silences the warnings its decoders
// print (libtiff prints dozens per file). Make one before any file is read or written; more
// than one may live at a time.
class CFreeImageLibrary {
public:
    CFreeImageLibrary();
    ~CFreeImageLibrary();
    CFreeImageLibrary(const CFreeImageLibrary&) = delete;
    CFreeImageLibrary& operator=(const CFreeImageLibrary&) = delete;
};
