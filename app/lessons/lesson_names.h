// The names of the course's pages, pictures and recordings, and of its items.
#pragma once

#include "app/files/folders.h"

#include <QString>

#include <cstdint>

namespace korvel {

class Random;
class Clock;

// A number formatted "00" (5 gives "05").
QString twoDigits(int number);

// The item identifier: chapter "00", "-", the item number read as a number
// with "0" in front of a single digit (chapter 5, item "3" gives "05-03").
QString itemIdentifier(int chapter, const QString& item);
// The engine's exercise name of an item: "Lesson" + item identifier.
QString exerciseName(int chapter, const QString& item);

// HTML folder: "Explain" + chapter "00" + "-" + page "00" + ".htm".
QString explainPage(const Folders& folders, int chapter, int page);
// The pages of a chapter: the unbroken run from page 01, at most 20.
int explainPageCount(const Folders& folders, int chapter);
inline constexpr int kMaxExplainPages = 20;
QString lessonHtmPath(const Folders& folders);

// Image folder: "L" + chapter "00" + "-skit.jpg"; chapters 24 to 26 add a
// letter per skit ("a" for skit 1, "b" for skit 2 ...).
QString skitPicture(const Folders& folders, int chapter, int skit = 1);
bool chapterHasSeveralSkits(int chapter);
// Image folder: "w" + chapter "00" + "-" + word number in chapter "00" + ".jpg".
QString wordPicture(const Folders& folders, int chapter, const QString& numberInChapter);
QString speakerIcon(const Folders& folders, bool large);

// AudioWord folder: "w" + chapter "00" + "-" + word number "00" + ".mp3".
QString wordRecording(const Folders& folders, int chapter, const QString& numberInChapter);
// AudioSent folder: "s" (slow: "ss") + chapter "00" + "-" + sentence number
// "00", "-h" + part for a recording part 1..9, ".mp3".
QString sentenceRecording(const Folders& folders, int chapter, const QString& number, int part, bool slow);

// The model-sentence recording of a composition item. Chapters 23 to 27 lie in
// the AudioSent folder and begin with "s", the others in AudioExSent with "e".
// Picture 0: prefix + identifier + ".mp3" ("23-12" plays "23-12-h1.mp3");
// picture 1: the same with fewer than two sub-items, else the identifier
// without its last character.
QString modelRecording(const Folders& folders, int chapter, const QString& identifier, int picture, int subItems);

// AudioOKNG folder: "ok_" + 1..5 or "ng_" + 1..3 + ".mp3"; the generator is
// reseeded from the clock before the draw.
QString feedbackSound(const Folders& folders, bool right, Random& random, const Clock& clock);

}  // namespace korvel
