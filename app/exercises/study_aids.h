// What the study aids decide without widgets: the page box of the goal and
// guide screens, the guide pages, the glossary's pictures, and the sentence
// study aid's check of a typed basic sentence by the engine.
#pragma once

#include "app/files/folders.h"

#include <QString>

#include <optional>

namespace korvel {

class Session;
class EngineBinding;

inline const QString kPageDigitsMessage = QStringLiteral("ページ数は数字で指定してください。");

// The page the page box's text asks for: nothing (the digits message) when it
// holds anything but 0 to 9; a number above `count` gives the last page, 0
// the first.
std::optional<int> pageBoxChoice(const QString& text, int count);
// The label beside the page box: the count followed by "ページ／".
QString pageCountText(int count);

// HTML folder: "Guide" + section "00" + "-" + page "00" + ".htm", and the
// unbroken run of pages from 01 (at most 20).
QString guidePage(const Folders& folders, int section, int page);
int guidePageCount(const Folders& folders, int section);

// The file a page box shows: the page itself with the wide display balance,
// otherwise "Lesson.htm" rewritten from it (empty when that failed).
QString shownPage(Session& session, const QString& page);

// Image folder: "flower" + (row modulo 8) + ".jpg"; on opening "Flower1.jpg".
QString flowerPicture(const Folders& folders, int row);
QString openingFlower(const Folders& folders);

// The sentence study aid's template: "khnbun" (or "Lesson" in chapters 23 to
// 27) + chapter "00" + "-" + sentence number "00".
QString studyAidTemplate(int chapter, const QString& number);

struct SentenceAidResult {
    enum class Kind { Nothing, Forbidden, FullWidthBlank, Failed, Right, Wrong } kind = Kind::Nothing;
    QString verdict;   // "正解！ " or "残念！ "
    QString comments;  // the correction comments
    QString sent;      // the sentence sent to the engine
};

inline const QString kFullWidthBlankMessage = QStringLiteral("英作文回答にに全角ブランクがあります。 ");

// Checks a typed basic sentence: characters "&", "<", ">" and full-width
// blanks are refused before anything is sent; runs of blanks become one; the
// engine's reply is analysed in mode 3. A failed call leaves it unjudged.
SentenceAidResult checkBasicSentence(Session& session, EngineBinding& engine, int chapter, const QString& number,
                                     const QString& typed);

}  // namespace korvel
