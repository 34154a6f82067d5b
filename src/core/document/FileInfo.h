#pragma once

#include <QString>

// What File Info shows about a document's file.
struct CFileInfo {
    QString strPath;  // full path
    QString strName;  // file name with extension
    int nWidth = 0;
    int nHeight = 0;
    int nBitsPerPixel = 0;
    float fSizeMB = 0.0f;  // file size in bytes / 1048576
    QString strCreated;    // "%d.%d.%d//%d:%d:%d": day, month, year, hour, minute, second
    QString strModified;
};
