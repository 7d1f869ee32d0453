// View 13: every comment the corrections showed the learner, with how often
// and when it was last shown. Numbers 1 to 16 are the built-in correction
// messages (rows 1 to 16 of the comment table); numbers of 10,000 and more
// cite the global comment number − 10,000, which lies in row number + 16.
#include "app/records/record_view_parts.h"

#include <algorithm>
#include <map>

namespace korvel::record_views {

namespace {

struct Received {
    int number = 0;
    int frequency = 0;
    QDateTime newest;
};

}  // namespace

RecordGrid commentView(const RecordSources& s, const RecordViewOptions& options)
{
    RecordGrid grid = titled(13, {QStringLiteral("No"), QStringLiteral("ID"), QStringLiteral("コメント文"),
                                  QStringLiteral("頻度"), QStringLiteral("分類"), QStringLiteral("実施日時 ")});
    grid.rightAligned = {0, 1, 3};
    if (!s.sentLog) {
        grid.complete = false;
        return grid;
    }
    std::map<int, Received> byNumber;
    for (const SentLogRecord& record : *s.sentLog) {  // newest first
        for (const std::int16_t number : record.comments) {
            Received& r = byNumber[number];
            if (r.frequency == 0) {
                r.number = number;
                r.newest = record.when;
            }
            ++r.frequency;
        }
    }
    std::vector<Received> list;
    for (const auto& entry : byNumber) {
        list.push_back(entry.second);
    }
    if (options.commentSort == CommentSort::Frequency) {
        // Highest first; equal frequencies keep the order of their numbers.
        std::stable_sort(list.begin(), list.end(),
                         [](const Received& a, const Received& b) { return a.frequency > b.frequency; });
    }
    int running = 0;
    for (const Received& r : list) {
        const CommentRow* row = s.comments.received(r.number);
        grid.addRow({QString::number(++running), QString::number(r.number), row != nullptr ? row->content : QString(),
                     QString::number(r.frequency), row != nullptr ? row->path : QString(), dateText(r.newest)});
    }
    return grid;
}

}  // namespace korvel::record_views
