// Uncompressed BMP files: 24-bit writers (screenshots of the viewport) and
// 8-bit grey-scale and palette writers. Each writes a new file under a
// temporary name that takes the file's name only when it is complete and
// closed (core/safewrite.h): whatever stood at the name (a file, a link, a
// pipe) is kept aside, never written through, and a failed write leaves no
// new file and logs the system's cause.
#pragma once

#include <cstdint>
#include <string>

class Pix_;

struct RGBQUAD {
  uint8_t rgbBlue, rgbGreen, rgbRed, rgbReserved;
};

int OGL_SaveViewportToBMP(std::string path);
int SaveBMP_FromStdPix(const char* path, Pix_& picture);
int _writeBmp24(const char* path, uint32_t width, int height, uint8_t* pixels, uint32_t flipRows,
                uint32_t swapRedBlue);
int write8BitBmpFile(const char* path, uint32_t width, uint32_t height, uint8_t* pixels, uint32_t entries,
                     RGBQUAD* palette);
int _writeGrayScaleDataToBmpFile(const char* path, uint32_t width, uint32_t height, uint8_t* pixels);
