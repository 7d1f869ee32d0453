// Requests written to harm: they must be answered with a fixed reply and
// must neither read nor write outside the templates folder when they come
// from the socket, nor take unbounded time or memory.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <vector>

#include "../service/socket_client.h"
#include "engine/request/replies.h"
#include "engine/templates/template_reader.h"
#include "request_fixture.h"

namespace zintra {
namespace {

using test::kLessonXvt;
using test::RequestFixture;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

class HostileRequest : public RequestFixture {
  protected:
    // As a request from the socket.
    std::string remote(const std::string& request) {
        return engine.handleRequest(nullptr, request.c_str(), Engine::PathScope::TemplatesFolder);
    }
    std::string cantOpenText(const std::string& path) {
        return "<div><P>Can't open \"" + path + "\" file!</P></div>\n";
    }
};

TEST_F(HostileRequest, AnAttributeNameTheEditCannotImportIsRefusedNotFatal) {
    const char* commands[] = {
        "<H1>lesson1</H1><DIV><B>AddTemplate</B><template s%F0%9F%98%80=\"0\"><name>zz</name></template></DIV>",
        "<H1>lesson1</H1><DIV><B>ModifyTemplate</B><NAME>I am a boy</NAME>"
        "<template s%F0%9F%98%80=\"0\"><name>I am a boy</name></template></DIV>",
    };
    for (const char* request : commands) {
        EXPECT_EQ(ask(request), kReplyCantOpen) << request;
        EXPECT_EQ(remote(request), kReplyCantOpen) << request;
    }
    std::string listing = ask("<H1>lesson1</H1><DIV><B>ListTemplates</B></DIV>");
    EXPECT_EQ(listing.find("zz"), std::string::npos) << "nothing was added: " << listing;
    EXPECT_NE(ask("<H1>lesson1</H1><P>I am a boy.</P>").find("<P>I am a boy</P>"), std::string::npos)
        << "the engine still matches";
}

TEST_F(HostileRequest, CopyingACategoryWithSuchAnAttributeNameIsRefusedNotFatal) {
    dir.write("templates/odd.xvt",
              "<?xml version='1.0'?>\n<root><category><name>top</name><category><name>odd</name>"
              "<comment ID='1' s\xF0\x9F\x98\x80='0'><name>c</name></comment></category></category></root>");
    std::string reply = ask("<H1>odd</H1><DIV><B>CopyCatalog</B><CAT>top/odd</CAT><TO>top/odd</TO></DIV>");
    EXPECT_TRUE(reply == kReplyCantOpen || reply.rfind("<B>CopyCatalog</B>", 0) == 0) << reply;
    EXPECT_NE(ask("<H1>lesson1</H1><P>I am a boy.</P>").find("<P>I am a boy</P>"), std::string::npos);
}

TEST_F(HostileRequest, PathsLeavingTheTemplatesFolderAreRefusedFromTheSocket) {
    std::string secret = dir.write("secret.txt", "top secret\nline\n");
    dir.write("templates/notes.txt", "Notes here\nline\n");
    fs::create_symlink(secret, templatePath("link.txt"));
    fs::create_directory(dir.file("outside"));
    dir.write("outside/lesson9.xvt", kLessonXvt);
    const std::string requests[] = {
        "<H2>../secret.txt</H2>",
        "<H2>" + secret + "</H2>",
        "<H2>" + dir.file("templates/./../secret.txt") + "</H2>",
        "<H2>/etc/./passwd</H2>",
        "<H2>/proc/self/./environ</H2>",
        "<H2>link.txt</H2>",
        "<H2>" + dir.file("templates") + "</H2>",
        "<H1>../outside/lesson9</H1><P>I am a boy.</P>",
        "<H1>../outside/lesson9</H1>",
        "<H1>" + dir.file("outside/lesson9.xvt") + "</H1><DIV><B>ListTemplates</B></DIV>",
        "<DIV><B>RenameVTAT</B><TO>../outside/stolen</TO>lesson1</DIV>",
    };
    for (const std::string& request : requests) {
        std::string reply = remote(request);
        EXPECT_EQ(reply, kReplyCantOpen) << request;
        EXPECT_EQ(reply.find("secret"), std::string::npos);
    }
    // Inside the folder, however spelled, the file is shown as before.
    EXPECT_EQ(remote("<H2>.//./notes.txt</H2>"), "<div><B>Notes</B><P>line\n</P></div>");
    EXPECT_NE(remote("<H1>lesson1</H1><P>I am a boy.</P>").find("<P>I am a boy</P>"), std::string::npos);
    // In-process callers keep the naming rule: their own files are theirs to read.
    EXPECT_EQ(ask("<H2>../secret.txt</H2>"), "<div><B>top</B><P>line\n</P></div>");
}

TEST_F(HostileRequest, WritesOutsideTheFolderAreRefusedFromTheSocket) {
    std::string target = dir.file("outside.xvt");
    EXPECT_EQ(remote("<H1>" + target + "</H1><DIV><B>WriteTemplate</B></DIV>"), kReplyCantOpen);
    EXPECT_EQ(remote("<H1>../outside</H1><DIV><B>AddTemplate</B><NAME>x</NAME></DIV>"), kReplyCantOpen);
    EXPECT_EQ(remote("<H1>../outside</H1><DIV><B>WriteTemplate</B></DIV>"), kReplyCantOpen);
    EXPECT_FALSE(fs::exists(target));
    // A new file inside the folder can still be made.
    EXPECT_EQ(remote("<H1>made</H1><DIV><B>WriteTemplate</B></DIV>"),
              "<B>WriteTemplate</B><P>" + templatePath("made.xvt") + "</P>\n");
    EXPECT_TRUE(fs::exists(templatePath("made.xvt")));
}

TEST_F(HostileRequest, AStarNameOnACatalogueCommandNamesNoFile) {
    fs::path before = fs::current_path();
    fs::current_path(dir.path());
    std::string reply = ask("<H1>*victim</H1><DIV><B>AddTemplate</B><NAME>x</NAME></DIV>");
    std::string written = ask("<H1>*victim</H1><DIV><B>WriteTemplate</B></DIV>");
    fs::current_path(before);
    EXPECT_EQ(reply, kReplyCantOpen);
    EXPECT_EQ(written, kReplyCantOpen);
    EXPECT_FALSE(fs::exists(dir.file("*victim")));
}

TEST_F(HostileRequest, TheTextDisplayReadsRegularFilesOnly) {
    std::string fifo = templatePath("pipe.txt");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto started = Clock::now();
    EXPECT_EQ(ask("<H2>" + fifo + "</H2>"), cantOpenText(fifo));
    EXPECT_EQ(remote("<H2>pipe.txt</H2>"), cantOpenText(fifo)) << "inside the folder, but no regular file";
    EXPECT_EQ(ask("<H2>/dev/./urandom</H2>"), cantOpenText("/dev/./urandom"));
    fs::create_directory(templatePath("folder.d"));
    EXPECT_EQ(ask("<H2>folder.d</H2>"), cantOpenText(templatePath("folder.d")));
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(2)) << "nothing waited for a writer";
}

TEST_F(HostileRequest, TheTextDisplayStopsAtTheReplyLimit) {
    std::string line(998, 'x');
    line += '\n';
    std::string text = "Title\n";
    for (int i = 0; i < 3000; ++i) text += line;  // 3 MB
    dir.write("templates/big.txt", text);
    std::string reply = ask("<H2>big.txt</H2>");
    EXPECT_GE(reply.size(), kReplyLimit);
    EXPECT_LT(reply.size(), kReplyLimit + 2000) << "one line past the limit at most";
    EXPECT_EQ(reply.substr(reply.size() - 6), "</div>");
}

class ShiftJisEngine : public HostileRequest {
    std::string extraConfig() const override { return "ENCODE Shift_JIS\n"; }
};

TEST_F(ShiftJisEngine, AReplyCutAtTheLimitEndsOnAWholeCharacter) {
    std::string line;
    for (int i = 0; i < 499; ++i) line += "\x82\xA0";  // HIRAGANA A in Shift-JIS: each line is 998 + 1 bytes
    std::string text = "T\n";
    for (int i = 0; i < 1100; ++i) text += line + "\n";
    dir.write("templates/kana.txt", text);
    // "<div><B>T</B>" and then 1,006 bytes a line: the limit falls on the
    // lead byte of a kana, which a cut by bytes would keep alone.
    std::string whole = ask("<H2>kana.txt</H2>", "Shift_JIS");
    ASSERT_GT(whole.size(), kReplyLimit);
    ASSERT_EQ(static_cast<unsigned char>(whole[kReplyLimit - 2]), 0x82u);
    std::vector<char> buffer(kReplyLimit);
    int length = engine.match("Shift_JIS", "<H2>kana.txt</H2>", buffer.data(), buffer.size());
    EXPECT_EQ(length, static_cast<int>(kReplyLimit) - 2) << "the lead byte goes with its character";
    EXPECT_EQ(buffer[static_cast<size_t>(length)], '\0');
    EXPECT_EQ(std::string(buffer.data(), static_cast<size_t>(length)), whole.substr(0, static_cast<size_t>(length)));
}

TEST_F(HostileRequest, GroupsNestedWithinTheLimitStillRead) {
    auto nested = [](int depth) {
        std::string xml = "<?xml version='1.0'?>\n<root><Template><template sub='0'><name>t</name><node><name>n</name>";
        for (int i = 0; i < depth; ++i) xml += "<Group><name>w</name>";
        for (int i = 0; i < depth; ++i) xml += "</Group>";
        return xml + "</node></template></Template></root>";
    };
    dir.write("templates/within.xvt", nested(kMaxTemplateNesting - 2));  // below template and node
    dir.write("templates/beyond.xvt", nested(kMaxTemplateNesting - 1));
    EXPECT_EQ(ask("<H1>within</H1>"), "<DIV><P></P>\n</DIV>\n");
    EXPECT_EQ(ask("<H1>beyond</H1>"), kReplyCacheCleared) << "not loadable";
}

TEST_F(HostileRequest, OneFileIsCachedOnceUnderManySpellings) {
    uint64_t readsBefore = engine.templateStore().readCount();
    std::string first = remote("<H1>lesson1</H1><P>I am a boy.</P>");
    for (int i = 1; i <= 3000; ++i) {
        // "./" or "././", then 1 to 50 slashes, then "./" or "../templates/" or nothing.
        std::string name = i % 2 ? "./" : "././";
        name.append(static_cast<size_t>(i % 50 + 1), '/');
        name.append(i % 3 == 0 ? "./" : i % 3 == 1 ? "../templates/" : "");
        name.append("lesson1.xvt");
        ASSERT_EQ(remote("<H1>" + name + "</H1>"),
                  "<DIV><P>I am a boy.</P>\n<P>Tom &amp;amp; I &amp;lt;3</P>\n<P></P>\n</DIV>\n")
            << name;
    }
    EXPECT_EQ(engine.templateStore().cachedCount(), 3u) << "the file, its global file and its base file";
    EXPECT_EQ(engine.templateStore().readCount() - readsBefore, 3u);
}

TEST_F(HostileRequest, TheCacheHasABound) {
    const size_t files = TemplateStore::kMaxCachedFiles + 20;
    for (size_t i = 0; i < files; ++i) {
        std::string name = "t";
        name += std::to_string(i);
        dir.write("templates/" + name + ".xvt", kLessonXvt);
        ASSERT_NE(ask("<H1>" + name + "</H1>"), kReplyCacheCleared) << name;
        ASSERT_LE(engine.templateStore().cachedCount(), TemplateStore::kMaxCachedFiles);
    }
    EXPECT_EQ(engine.templateStore().cachedCount(), TemplateStore::kMaxCachedFiles);
}

TEST_F(HostileRequest, APendingDropRunsBeforeTheNextInProcessRequest) {
    ASSERT_NE(ask("<H1>lesson1</H1><P>I am a boy.</P>").find("I am a boy"), std::string::npos);
    ASSERT_EQ(ask("<H1>lesson1</H1><DIV><B>AddTemplate</B><NAME>Added later</NAME></DIV>"),
              "<B>AddTemplate</B><P>Added later</P>\n");
    ASSERT_EQ(ask("<H1>lesson1</H1><DIV><B>WriteTemplate</B></DIV>").rfind("<B>WriteTemplate</B>", 0), 0u);
    EXPECT_TRUE(engine.templateStore().dropPending());
    std::string listing = ask("<H1>lesson1</H1>");
    EXPECT_FALSE(engine.templateStore().dropPending());
    EXPECT_EQ(listing, "<DIV><P>I am a boy.</P>\n<P>Tom &amp;amp; I &amp;lt;3</P>\n<P></P>\n<P></P>\n</DIV>\n")
        << "the rewritten file, with its new template, is read again";
}

// A chain of levels sub-templates, each with two Phrase fillers naming the
// next: the expansion doubles with every level.
std::string doublingTemplate(int levels) {
    std::string xml =
        "<?xml version='1.0'?>\n<root><Template><template sub='0'><name>top</name>"
        "<node><name>n</name><Phrase>L0</Phrase></node></template>";
    for (int i = 0; i < levels; ++i) {
        std::string next;
        if (i + 1 < levels) next.append("L").append(std::to_string(i + 1));
        xml.append("<template sub='1'><name>L").append(std::to_string(i)).append("</name><node><name>n</name>");
        if (next.empty()) {
            xml += "<Group><name>boy</name></Group><Group><name>girl</name></Group>";
        } else {
            xml.append("<Phrase>").append(next).append("</Phrase><Phrase>").append(next).append("</Phrase>");
        }
        xml += "</node></template>";
    }
    return xml + "</Template></root>";
}

TEST_F(HostileRequest, AnExponentialTemplateIsUnmatchableAndQuick) {
    dir.write("templates/bomb.xvt", doublingTemplate(22));
    dir.write("templates/small.xvt", doublingTemplate(3));
    auto started = Clock::now();
    EXPECT_EQ(remote("<H1>bomb</H1><P>boy</P>"),
              "<div></div>\n<div></div>\n<div><P>" + templatePath("bomb.xvt") + "</P><P></P></div>\n<div></div>\n")
        << "no template of the file is chosen";
    EXPECT_LT(Clock::now() - started, std::chrono::seconds(test::kSanitized ? 15 : 2));
    EXPECT_NE(remote("<H1>small</H1><P>boy</P>").find("<P>top</P>"), std::string::npos)
        << "a few levels still expand and match";
}

TEST_F(HostileRequest, DeeplyNestedGroupsAreReadQuickly) {
    std::string xml = "<?xml version='1.0'?>\n<root><Template><template sub='0'><name>deep</name><node><name>n</name>";
    for (int i = 0; i < 20000; ++i) xml += "<Group><name>w</name>";
    for (int i = 0; i < 20000; ++i) xml += "</Group>";
    xml += "</node></template></Template></root>";
    dir.write("templates/deep.xvt", xml);
    auto started = Clock::now();
    EXPECT_EQ(remote("<H1>deep</H1><P>w</P>"), kReplyCacheCleared);
    auto took = Clock::now() - started;
    EXPECT_LT(took, std::chrono::milliseconds(test::kSanitized ? 5000 : 900));
    std::cout << "20,000 nested Groups: " << std::chrono::duration_cast<std::chrono::milliseconds>(took).count()
              << " ms\n";
}

}  // namespace
}  // namespace zintra
