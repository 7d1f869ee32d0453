// The arguments of korvel --records.
#include "app/records/records_command.h"

#include <gtest/gtest.h>

namespace korvel {
namespace {

std::optional<RecordsArguments> parse(const QStringList& args)
{
    return parseRecordsArguments(QStringList{QStringLiteral("korvel")} + args);
}

TEST(RecordsArguments, OptionsAndTheirDefaults)
{
    const auto plain = parse({"--records", "13"});
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->view, 13);
    EXPECT_FALSE(plain->user);
    EXPECT_EQ(plain->options.order, RecordOrder::NewestFirst);
    EXPECT_TRUE(plain->options.showAnswers);
    EXPECT_EQ(plain->options.commentSort, CommentSort::Frequency);

    const auto all = parse({"--user", "3", "--records", "6", "--content", "/x", "--order", "oldest", "--answers",
                            "hide", "--sort", "english"});
    ASSERT_TRUE(all);
    EXPECT_EQ(all->view, 6);
    EXPECT_EQ(all->user, 3);
    EXPECT_EQ(all->options.order, RecordOrder::OldestFirst);
    EXPECT_FALSE(all->options.showAnswers);
    EXPECT_EQ(all->options.wordSort, WordSort::English);
    EXPECT_EQ(parse({"--records", "13", "--sort", "id"})->options.commentSort, CommentSort::Id);
}

TEST(RecordsArguments, NonsenseIsRefused)
{
    for (const QStringList& args : std::vector<QStringList>{{"--records"},
                                                            {"--records", "0"},
                                                            {"--records", "19"},
                                                            {"--records", "x"},
                                                            {"--user", "2"},
                                                            {"--records", "1", "--user", "30"},
                                                            {"--records", "1", "--order", "sideways"},
                                                            {"--records", "1", "--sort"},
                                                            {"--records", "1", "--colour", "red"}}) {
        EXPECT_FALSE(parse(args)) << args.join(' ').toStdString();
    }
}

}  // namespace
}  // namespace korvel
