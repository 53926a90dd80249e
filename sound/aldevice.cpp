#include "sound/aldevice.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "core/core.h"
#include "platform/platform.h"
#include "sound/remSnd.h"

ALCdevice* pDevice = nullptr;
ALCcontext* pContext = nullptr;
char CheckALErr32ch[32];

namespace {

const char* OrEmpty(const char* s) { return s ? s : ""; }

void WarningBox(const char* text, const char* caption) {
  MessageBoxA(nullptr, text, caption, MB_OK | MB_ICONWARNING);
}

void CloseWhatIsOpen() {
  if (pContext) {
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(pContext);
    pContext = nullptr;
  }
  if (pDevice) {
    alcCloseDevice(pDevice);
    pDevice = nullptr;
  }
}

}  // namespace

bool InitializeOpenAL() {
  const ALfloat pos[3] = {0, 0, 0}, vel[3] = {0, 0, 0};
  const ALfloat ori[6] = {0, 0, -1, 0, 1, 0};
  pDevice = alcOpenDevice(plat_SoundDeviceName("DirectSound3D"));
  if (!pDevice) {
    LogInfo("\n%s sound: no sound device, the program runs without sound\n", MixDateCh(0, 0, 1));
    WarningBox("DirectSound3D  sound device not present", "Error");
    return false;
  }
  pContext = alcCreateContext(pDevice, nullptr);
  if (!CheckALCError() || !pContext) {
    LogInfo("\n%s sound: the device gave no context\n", MixDateCh(0, 0, 1));
    CloseWhatIsOpen();
    return false;
  }
  alcMakeContextCurrent(pContext);
  if (alcGetError(pDevice) != ALC_NO_ERROR) {
    LogInfo("\n%s sound: the context could not be made current\n", MixDateCh(0, 0, 1));
    CloseWhatIsOpen();
    return false;
  }
  alListenerfv(AL_POSITION, pos);
  alListenerfv(AL_VELOCITY, vel);
  alListenerfv(AL_ORIENTATION, ori);
  return true;
}

bool DestroyOpenAL() {
  if (pContext) {
    for (auto& [id, info] : Buffers) alDeleteBuffers(1, &info.ID);
  }
  // The buffers went with the device; names kept here would point at nothing.
  Buffers.clear();
  if (!pDevice) return false;
  alcMakeContextCurrent(nullptr);
  if (pContext) alcDestroyContext(pContext);
  pContext = nullptr;
  bool closed = alcCloseDevice(pDevice) == ALC_TRUE;
  pDevice = nullptr;
  return closed;
}

bool CheckALCError() {
  ALCenum err = alcGetError(pDevice);
  if (err == ALC_NO_ERROR) return true;
  std::string text = std::string("ALC error: ") + OrEmpty(alcGetString(pDevice, err));
  LogInfo("\n sound: %s\n", text.c_str());
  WarningBox(text.c_str(), "Error");
  return false;
}

bool CheckALError(int place) {
  std::memset(CheckALErr32ch, 0, sizeof CheckALErr32ch);
  if (place != 0) {
    std::snprintf(CheckALErr32ch, sizeof CheckALErr32ch, "Error (in p%d)", place);
  } else {
    std::snprintf(CheckALErr32ch, sizeof CheckALErr32ch, "Error (...)");
  }
  ALenum err = alGetError();
  if (err == AL_NO_ERROR) return true;
  std::string text = std::string("OpenAL error: ") + OrEmpty(alGetString(err));
  LogInfo("\n sound: %s %s\n", CheckALErr32ch, text.c_str());
  WarningBox(text.c_str(), CheckALErr32ch);
  return false;
}

std::string ExtractFileExt(const std::string& name) {
  std::string ext;
  for (size_t i = name.size(); i-- > 1;) {
    if (name[i] == '.') break;
    ext.insert(ext.begin(), name[i]);
  }
  for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return ext;
}

std::string GetSndInfo() {
  std::ostringstream s;
  s << "ALC info: \n";
  s << "DEFAULT_DEVICE_SPECIFIER: " << OrEmpty(alcGetString(pDevice, ALC_DEFAULT_DEVICE_SPECIFIER)) << "\n";
  s << "DEVICE_SPECIFIER: " << OrEmpty(alcGetString(pDevice, ALC_DEVICE_SPECIFIER)) << "\n";
  s << "EXTENSIONS: " << OrEmpty(alcGetString(pDevice, ALC_EXTENSIONS)) << "\n\n";
  s << "AL info: \n";
  s << "VERSION: " << OrEmpty(alGetString(AL_VERSION)) << "\n";
  s << "RENDERER: " << OrEmpty(alGetString(AL_RENDERER)) << "\n";
  s << "VENDOR: " << OrEmpty(alGetString(AL_VENDOR)) << "\n";
  s << "EXTENSIONS: " << OrEmpty(alGetString(AL_EXTENSIONS)) << "\n";
  s << '\0';
  return s.str();
}
