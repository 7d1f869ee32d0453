// The application's own correction messages (numbers 1 to 16) with their
// category paths, and the indents of the comment text.
#pragma once

#include <QString>

#include <array>

namespace korvel {

struct CorrectionMessage {
    QString text;
    QString path;
};

// Entries 0 to 20; 0, 3 and 17 to 20 stay empty.
using MessageTable = std::array<CorrectionMessage, 21>;

// Fills the table of built-in messages.
MessageTable set_MessageTable();
// The text of message n, empty outside 0..20.
QString messageText(const MessageTable& table, int n);

// Seven ideographic spaces and one blank; seven ideographic spaces.
QString longIndent();
QString shortIndent();

inline const QString kCrLf = QStringLiteral("\r\n");

}  // namespace korvel
