// The media player of the screens: the sound effects and recordings play
// through one QMediaPlayer with a QAudioOutput. Tests put a recorder in its
// place (setScreenAudio).
#pragma once

#include "app/correction/correction_audio.h"

namespace korvel {

AudioOut& screenAudio();
// Replaces the player (null: back to the real one).
void setScreenAudio(AudioOut* audio);

}  // namespace korvel
