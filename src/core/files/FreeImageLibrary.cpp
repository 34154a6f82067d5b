#include "files/FreeImageLibrary.h"

#include <FreeImage.h>
#include <tiffio.h>

#include <mutex>

namespace {
std::mutex g_mutex;
int g_users = 0;

void IgnoreMessage(FREE_IMAGE_FORMAT, const char*) {}
}  // namespace

CFreeImageLibrary::CFreeImageLibrary() {
    std::lock_guard lock(g_mutex);
    if (g_users++ == 0) {
        FreeImage_Initialise(FALSE);
        FreeImage_SetOutputMessage(IgnoreMessage);
        TIFFSetWarningHandler(nullptr);
        TIFFSetErrorHandler(nullptr);  // FreeImage reports failures itself
    }
}

CFreeImageLibrary::~CFreeImageLibrary() {
    std::lock_guard lock(g_mutex);
    if (--g_users == 0) {
        FreeImage_DeInitialise();
    }
}
