// The readers of the lesson files in the Lesson folder, each named as the
// program names it in its error reports. A file that cannot be read is
// reported (row 4, its path + " フォルダー名 ") and gives an empty list; a
// list that is full stops its reader through the same report, keeping the
// rows read so far. Every reader uses the session's current chapter.
#pragma once

#include "app/lessons/lesson_entries.h"

#include <QString>

#include <functional>
#include <vector>

namespace korvel {

class Session;

// "単語.txt" into the course word table (all chapters). False when the file
// could not be read or a row's number lies outside 1..1201.
bool get_AllWord(Session& session, CourseWords& words);
// "英作文.txt" into the course composition table (all chapters).
bool get_AllExSent(Session& session, CourseCompositions& compositions);

// The word list of the current chapter: the title row as row 0, then the
// chapter's rows whose listing flag is 0, at most 201 in all. `leaveOut`, when
// set, names the words to leave out (those answered right when the learner
// chose not to review them).
std::vector<WordEntry> set_WordText(Session& session, const std::function<bool(std::int16_t)>& leaveOut = {});
// The word test's rows of "単語.txt": number 1 or more, never a spoken phrase
// ("話し言葉"), accepted by `take`; for a course chapter (1 to 28) reading
// stops at the first row of a later chapter. At most 1201.
std::vector<WordEntry> get_Word(Session& session, const std::function<bool(const WordEntry&)>& take);
// The current chapter's rows of "例文データ.txt" (its first line unread), at most 1201.
std::vector<WordExample> set_WordExampe(Session& session);

// The basic-sentence screen's list: the title row and the current chapter's
// rows (number 5 and English 150 characters wide), at most 801; reading stops
// at the first row of a later chapter.
std::vector<SentenceEntry> set_Sentence(Session& session);
// The rearrangement quiz's rows of the current chapter, column 7 in place of
// column 5 when it is not empty; at most 1001.
std::vector<SentenceEntry> get_並べ替え基本文(Session& session);
// The listening quiz's rows: row number 1 or more, not left out of the quiz
// (flags remainder 10), of the current chapter (any chapter in the re-quiz,
// chapter 100), and accepted by `take`; column 7 in place of column 5.
std::vector<SentenceEntry> get_聞き取り基本文(Session& session,
                                              const std::function<bool(const SentenceEntry&)>& take = {});

// The current chapter's goal from "学習目標.txt"; empty when its line is short.
QString dsp_Menu(Session& session);
// The current chapter's summary from "まとめ.txt", line breaks as CR LF.
QString dsp_Matome(Session& session);
// "用語一覧.txt": the grid of terms (row 0 the titles) and each row's explanation.
Glossary get_用語一覧(Session& session);

// Writes the page, its lines joined, as "Lesson.htm" in the HTML folder with
// the first "<BASEFONT SIZE=3>" made "<BASEFONT SIZE=2>". A page that cannot
// be read is reported with "make_LessonHtm", a failed write with "make_Htm".
bool make_LessonHtm(Session& session, const QString& pagePath);
// The rewrite of a page's lines that make_LessonHtm writes.
QString lessonHtmText(const QStringList& lines);

}  // namespace korvel
