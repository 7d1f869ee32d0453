// The four learning logs, record by record, byte for byte. Integers are
// 16-bit little-endian, flags -1 true / 0 false, a date-time is the 8-byte
// little-endian double of the OLE automation date, texts are blank-padded
// Shift-JIS of a fixed number of bytes.
//
// UserLog  40 bytes:  0 date 8 | 8 user 2 | 10 name 20 | 30 chapter 2 | 32 kind 2 |
//                     34 questions 2 | 36 right 2 | 38 wrong 2
// WordLog  44 bytes:  0 date 8 | 8 word 2 | 10 chapter 2 | 12 right 2 | 14 answer 30
// HExLog  120 bytes:  0 row 2 | 2 chapter 2 | 4 typed 100 | 104 reserved 0 2 |
//                     106 plays 2 | 108 checks 2 | 110 right 2 | 112 date 8
// SentLog 218 bytes:  0 date 8 | 8 row 2 | 10 chapter 2 | 12 right 2 | 14 answer 100 |
//                     114 comment count 2 | 116 51 comment numbers, 2 each, unused 0
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace korvel {

inline constexpr int kUserLogLength = 40;
inline constexpr int kWordLogLength = 44;
inline constexpr int kHExLogLength = 120;
inline constexpr int kSentLogLength = 218;
inline constexpr int kSentLogComments = 51;

// OLE automation dates: days since 30 December 1899, the fraction the time of day.
double toOleDate(const QDateTime& when);
QDateTime fromOleDate(double days);
// The date as the record screens show it: "mm/dd hh:mm".
QString recordDateText(const QDateTime& when);

enum class TestKind : std::int16_t { WordTest = 1, CompositionTest = 2, ListeningQuiz = 3 };

struct UserLogRecord {
    QDateTime when;
    std::int16_t user = 0;
    QString name;
    std::int16_t chapter = 0;
    std::int16_t kind = 0;
    std::int16_t questions = 0;
    std::int16_t right = 0;
    std::int16_t wrong = 0;
};

struct WordLogRecord {
    QDateTime when;
    std::int16_t word = 0;
    std::int16_t chapter = 0;
    std::int16_t right = 0;
    QString answer;
};

struct HExLogRecord {
    std::int16_t row = 0;
    std::int16_t chapter = 0;
    QString typed;
    std::int16_t plays = 0;
    std::int16_t checks = 0;
    std::int16_t right = 0;
    QDateTime when;
};

struct SentLogRecord {
    QDateTime when;
    std::int16_t row = 0;
    std::int16_t chapter = 0;
    std::int16_t right = 0;
    QString answer;
    std::vector<std::int16_t> comments;  // at most 51 are stored
};

QByteArray encode(const UserLogRecord& record);
QByteArray encode(const WordLogRecord& record);
QByteArray encode(const HExLogRecord& record);
QByteArray encode(const SentLogRecord& record);
// Each takes a record of its exact length; texts come back trimmed.
UserLogRecord decodeUserLog(QByteArrayView bytes);
WordLogRecord decodeWordLog(QByteArrayView bytes);
HExLogRecord decodeHExLog(QByteArrayView bytes);
SentLogRecord decodeSentLog(QByteArrayView bytes);

}  // namespace korvel
