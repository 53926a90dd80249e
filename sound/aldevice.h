// The OpenAL device and its context, the ALC and AL error reports, and the
// upper-cased extension of a file name.
#pragma once

#include <AL/al.h>
#include <AL/alc.h>

#include <string>

extern ALCdevice* pDevice;
extern ALCcontext* pContext;
// Caption of the last AL error box: "Error (in p<place>)" or "Error (...)".
extern char CheckALErr32ch[32];

// Opens the device, makes its context current and places the listener at
// the origin looking down -z; false (with a warning box) when any step fails,
// in which case nothing stays open.
bool InitializeOpenAL();
// Deletes the cached buffers, releases the context and closes the device;
// the result of closing the device (false when none was open).
bool DestroyOpenAL();

// true when the device reports no ALC error; otherwise a warning box names it.
bool CheckALCError();
// true when OpenAL reports no error; otherwise a warning box names it, with
// the place (1..5, 0 for none) in its caption.
bool CheckALError(int place);

// The characters after the last '.', upper-cased; the first character of the
// name is never taken ("a.Wav" -> "WAV", "noise" -> "OISE", "" -> "").
std::string ExtractFileExt(const std::string& name);

// The device's and the library's names, versions and extensions.
std::string GetSndInfo();
