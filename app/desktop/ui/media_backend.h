// The media back end every player of the application uses, and whether the
// machine has somewhere to send sound.
#pragma once

namespace korvel {

// Qt 6.4's GStreamer back end crashes while building a player when the
// GStreamer base plugins are missing; the FFmpeg one ships with Qt Multimedia
// itself. Chooses it unless the environment names a back end; call before the
// first player is made (it is read once per process).
void chooseMediaBackend();

// False on a machine without an audio output device, where the FFmpeg back
// end writes through a null device and crashes: such a machine plays nothing.
bool audioOutputAvailable();

}  // namespace korvel
