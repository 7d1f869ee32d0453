#include <gtest/gtest.h>

#include <filesystem>

#include "../request/request_fixture.h"
#include "engine/api/engine_server.h"
#include "engine/request/replies.h"
#include "engine/templates/template_writer.h"
#include "engine/text/escaping.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace zintra {
namespace {

using test::RequestFixture;

class Catalogue : public RequestFixture {
  protected:
    // A command on the file lesson1 (or on the folder when file is empty).
    std::string run(const std::string& command, const std::string& file = "lesson1") {
        return ask((file.empty() ? "" : "<H1>" + file + "</H1>") + "<DIV>" + command + "</DIV>");
    }
};

TEST_F(Catalogue, CommandsAnswerWithTheirNameAndWhatTheyName) {
    EXPECT_EQ(run("<B>ListTemplates</B>"),
              "<B>ListTemplates</B><P>main I am a boy</P>\n<P>main Tom &amp; I</P>\n<P>main no sample</P>\n");
    EXPECT_EQ(run("<B>ShowSentences</B>"), "<B>ShowSentences</B><P>1 I am a boy.</P>\n");
    EXPECT_EQ(run("<B>ShowAllComments</B>"), "<B>ShowAllComments</B><P>1: use am / </P>\n");
    EXPECT_EQ(run("<B>ShowCatalog</B>"), "<B>ShowCatalog</B><P>lesson: 1</P>\n");
    EXPECT_EQ(run("<B>ShowComments</B><NAME>I am a boy</NAME>"),
              "<B>ShowComments</B><P>G1: subject form / \xE4\xB8\xBB\xE6\xA0\xBC</P>\n<P>C1: use am / </P>\n");
    EXPECT_EQ(run("<B>ShowTemplate</B><NAME>Tom &amp; I</NAME>"),
              "<B>ShowTemplate</B><P>&lt;template sub='0'>\n\t&lt;name>Tom &amp;amp; I&lt;/name>\n"
              "\t&lt;sample>Tom &amp;amp; I &amp;lt;3&lt;/sample>\n&lt;/template>\n</P>\n");
}

TEST_F(Catalogue, CommandsThatCannotBeCarriedOutGetTheCantOpenReply) {
    EXPECT_EQ(run("<B>Frobnicate</B>"), kReplyCantOpen);
    EXPECT_EQ(run("<B>ShowTemplate</B><NAME>none</NAME>"), kReplyCantOpen);
    EXPECT_EQ(run("<B>DeleteSentence</B><ID>x</ID>"), kReplyCantOpen);
    EXPECT_EQ(run("<B>ListTemplates</B>", ""), kReplyCantOpen) << "a file command is not a folder command";
    EXPECT_EQ(ask("<H1>lesson1</H1><H2>notes</H2><DIV><B>ListTemplates</B></DIV>"), kReplyCantOpen);
    dir.write("templates/broken.xvt", "<root><SAMP></root>");
    EXPECT_EQ(run("<B>ListTemplates</B>", "broken"), kReplyCantOpen) << "a malformed file is not opened";
}

TEST_F(Catalogue, EditsChangeTheOpenDocumentUntilItIsWritten) {
    std::string before = slurp(templatePath("lesson1.xvt"));
    EXPECT_EQ(run("<B>ModifySentence</B><ID>1</ID><TEXT>I'm a boy.</TEXT>"),
              "<B>ModifySentence</B><P>1 I'm a boy.</P>\n");
    EXPECT_EQ(run("<B>ModifySentence</B><ID>2</ID><TEXT>new</TEXT>"), "<B>ModifySentence</B><P>2 new</P>\n");
    EXPECT_EQ(run("<B>DeleteTemplate</B><NAME>no sample</NAME>"), "<B>DeleteTemplate</B><P>no sample</P>\n");
    EXPECT_EQ(run("<B>ModifyTemplateName</B><NAME>Tom &amp; I</NAME><TO>tom</TO>"),
              "<B>ModifyTemplateName</B><P>tom</P>\n");
    EXPECT_EQ(run("<B>ModifyTemplateName</B><NAME>tom</NAME><TO>I am a boy</TO>"), kReplyCantOpen)
        << "template names stay unique";
    EXPECT_EQ(run("<B>ShowSentences</B>"), "<B>ShowSentences</B><P>1 I'm a boy.</P>\n<P>2 new</P>\n");
    EXPECT_EQ(run("<B>ListTemplates</B>"), "<B>ListTemplates</B><P>main I am a boy</P>\n<P>main tom</P>\n");
    EXPECT_EQ(slurp(templatePath("lesson1.xvt")), before) << "only WriteTemplate touches the file";
    EXPECT_EQ(ask("<H1>lesson1</H1>"), "<DIV><P>I am a boy.</P>\n<P>Tom &amp;amp; I &amp;lt;3</P>\n<P></P>\n</DIV>\n");

    EXPECT_EQ(run("<B>DeleteVTAT</B>", ""), kReplyCantOpen) << "no document named";
    EXPECT_EQ(run("lesson1<B>DeleteVTAT</B>", ""), "<B>DeleteVTAT</B><P>" + templatePath("lesson1.xvt") + "</P>\n");
    EXPECT_EQ(run("<B>ShowSentences</B>"), "<B>ShowSentences</B><P>1 I am a boy.</P>\n") << "edits were discarded";
}

TEST_F(Catalogue, WriteTemplateWritesTheDocumentAndMarksTheCache) {
    ASSERT_FALSE(std::filesystem::exists(templatePath("fresh.xvt")));
    EXPECT_EQ(run("<B>ListTemplates</B>", "fresh"), "<B>ListTemplates</B>") << "a new file starts empty";
    EXPECT_EQ(run("<B>AddTemplate</B><template sub='0'><name>t</name><sample>a &amp; b</sample>"
                  "<node left='3'><name>n</name><Group type='wrong'><name>x</name></Group></node></template>",
                  "fresh"),
              "<B>AddTemplate</B><P>t</P>\n");
    EXPECT_EQ(run("<B>AddTemplate</B><NAME>t</NAME>", "fresh"), kReplyCantOpen) << "t exists";
    EXPECT_EQ(run("<B>AddTemplate</B><NAME>u</NAME>", "fresh"), "<B>AddTemplate</B><P>u</P>\n");
    EXPECT_FALSE(std::filesystem::exists(templatePath("fresh.xvt")));
    EXPECT_FALSE(engine.templateStore().dropPending());

    EXPECT_EQ(run("<B>WriteTemplate</B>", "fresh"), "<B>WriteTemplate</B><P>" + templatePath("fresh.xvt") + "</P>\n");
    EXPECT_EQ(slurp(templatePath("fresh.xvt")),
              "<?xml version='1.0'?>\n\n<root>\n\t<Version></Version>\n\t<Author></Author>\n\t<S></S>\n"
              "\t<SAMP></SAMP>\n\t<category>\n\t\t<name>new</name>\n\t</category>\n\t<Template>\n"
              "\t\t<template sub='0'>\n\t\t\t<name>t</name>\n\t\t\t<sample>a &amp; b</sample>\n"
              "\t\t\t<node left='3'>\n\t\t\t\t<name>n</name>\n\t\t\t\t<Group type='wrong'>\n"
              "\t\t\t\t\t<name>x</name>\n\t\t\t\t</Group>\n\t\t\t</node>\n\t\t</template>\n"
              "\t\t<template sub='0'>\n\t\t\t<name>u</name>\n\t\t</template>\n\t</Template>\n</root>\n");
    EXPECT_TRUE(engine.templateStore().dropPending());
}

TEST_F(Catalogue, ARewrittenFileIsReloadedOnceThePendingDropIsCarriedOut) {
    ASSERT_EQ(ask("<H1>lesson1</H1>").substr(0, 23), "<DIV><P>I am a boy.</P>");
    ASSERT_EQ(run("<B>DeleteTemplate</B><NAME>I am a boy</NAME>"), "<B>DeleteTemplate</B><P>I am a boy</P>\n");
    ASSERT_EQ(run("<B>WriteTemplate</B>").substr(0, 20), "<B>WriteTemplate</B>");
    EXPECT_TRUE(engine.templateStore().dropPending());
    // The next request that finds no other running drops the cache first.
    EXPECT_EQ(ask("<H1>lesson1</H1>"), "<DIV><P>Tom &amp;amp; I &amp;lt;3</P>\n<P></P>\n</DIV>\n");
    EXPECT_FALSE(engine.templateStore().dropPending());

    // So does the server when it accepts a connection while no request is running.
    ASSERT_EQ(run("<B>WriteTemplate</B>").substr(0, 20), "<B>WriteTemplate</B>");
    EXPECT_TRUE(engine.templateStore().dropPending());
    SocketServer server(engineServerHandlers(engine));
    ASSERT_TRUE(server.listen(0));
    int client = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(server.port());
    ASSERT_EQ(connect(client, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const char request[] = "<H1>0-0-1.xvt</H1><P>x</P>\n";
    ASSERT_EQ(send(client, request, sizeof request - 1, 0), static_cast<ssize_t>(sizeof request - 1));
    char buffer[256];
    ssize_t got = recv(client, buffer, sizeof buffer, MSG_WAITALL);
    close(client);
    EXPECT_EQ(std::string(buffer, static_cast<size_t>(std::max<ssize_t>(got, 0))),
              "<div></div><div></div><div></div>\n<div></div>\n");
    EXPECT_FALSE(engine.templateStore().dropPending());
    EXPECT_EQ(ask("<H1>lesson1</H1>"), "<DIV><P>Tom &amp;amp; I &amp;lt;3</P>\n<P></P>\n</DIV>\n");
}

TEST_F(Catalogue, CategoriesAreAddedRenamedMovedCopiedAndDeleted) {
    EXPECT_EQ(run("<B>AddCatalog</B><NAME>verbs</NAME>"), "<B>AddCatalog</B><P>lesson/verbs</P>\n");
    EXPECT_EQ(run("<B>AddCatalog</B><CAT>lesson/verbs</CAT><NAME>be</NAME>"),
              "<B>AddCatalog</B><P>lesson/verbs/be</P>\n");
    EXPECT_EQ(run("<B>AddCatalog</B><NAME>verbs</NAME>"), kReplyCantOpen) << "names are unique among siblings";
    EXPECT_EQ(run("<B>AddCatalog</B><NAME>a/b</NAME>"), kReplyCantOpen);
    EXPECT_EQ(run("<B>AddComment</B><CAT>lesson/verbs/be</CAT><EN>am &amp; is</EN><JA>\xE3\x81\x82</JA><SID>1</SID>"),
              "<B>AddComment</B><P>2</P>\n");
    EXPECT_EQ(run("<B>AddComment</B><ID>2</ID>"), kReplyCantOpen) << "comment numbers are unique";
    EXPECT_EQ(run("<B>AddComment</B><ID>40</ID><EN>forty</EN>"), "<B>AddComment</B><P>40</P>\n");
    EXPECT_EQ(run("<B>ModifyComment</B><ID>1</ID><JA>am\xE3\x82\x92</JA>"), "<B>ModifyComment</B><P>1</P>\n");
    EXPECT_EQ(run("<B>MoveCatalog</B><CAT>lesson/verbs</CAT><TO>lesson/verbs/be</TO>"), kReplyCantOpen)
        << "a category cannot move into itself";
    EXPECT_EQ(run("<B>MoveCatalog</B><CAT>lesson</CAT><TO>lesson/verbs</TO>"), kReplyCantOpen);
    EXPECT_EQ(run("<B>AddCatalog</B><NAME>other</NAME>"), "<B>AddCatalog</B><P>lesson/other</P>\n");
    EXPECT_EQ(run("<B>MoveCatalog</B><CAT>lesson/verbs/be</CAT><TO>lesson/other</TO>"),
              "<B>MoveCatalog</B><P>lesson/other/be</P>\n");
    EXPECT_EQ(run("<B>CopyCatalog</B><CAT>lesson/other/be</CAT><TO>lesson/verbs</TO>"),
              "<B>CopyCatalog</B><P>lesson/verbs/be</P>\n");
    EXPECT_EQ(run("<B>ModifyCatalog</B><CAT>lesson/verbs</CAT><TO>grammar</TO>"),
              "<B>ModifyCatalog</B><P>lesson/grammar</P>\n");
    EXPECT_EQ(run("<B>ShowCatalog</B>"),
              "<B>ShowCatalog</B><P>lesson: 1 40</P>\n<P>lesson/grammar:</P>\n<P>lesson/grammar/be: 41</P>\n"
              "<P>lesson/other:</P>\n<P>lesson/other/be: 2</P>\n");
    EXPECT_EQ(run("<B>ShowAllComments</B>"),
              "<B>ShowAllComments</B><P>1: use am / am\xE3\x82\x92</P>\n<P>41: am &amp; is / \xE3\x81\x82</P>\n"
              "<P>40: forty / </P>\n<P>2: am &amp; is / \xE3\x81\x82</P>\n")
        << "document order: the copy sits in the category before comment 40";
    EXPECT_EQ(run("<B>DeleteCatalog</B><CAT>lesson</CAT>"), kReplyCantOpen) << "the top category stays";
    EXPECT_EQ(run("<B>DeleteCatalog</B><CAT>lesson/grammar</CAT>"), "<B>DeleteCatalog</B><P>lesson/grammar</P>\n");
    EXPECT_EQ(run("<B>ShowCatalog</B><CAT>lesson/other</CAT>"),
              "<B>ShowCatalog</B><P>lesson/other:</P>\n<P>lesson/other/be: 2</P>\n");

    // What the reader makes of the written file.
    ASSERT_EQ(run("<B>WriteTemplate</B>").substr(0, 20), "<B>WriteTemplate</B>");
    std::string written = slurp(templatePath("lesson1.xvt"));
    EXPECT_NE(written.find("\t\t\t\t<comment ID='2'>\n\t\t\t\t\t<name></name>\n\t\t\t\t\t<sentenceID>1</sentenceID>\n"
                           "\t\t\t\t\t<econtent>am &amp; is</econtent>\n\t\t\t\t\t<jcontent>\xE3\x81\x82</jcontent>\n"),
              std::string::npos)
        << written;
}

TEST_F(Catalogue, FolderCommandsEditTheGlobalFile) {
    EXPECT_EQ(run("<B>ShowCatalog</B>", ""), "<B>ShowCatalog</B><P>global: 1</P>\n");
    EXPECT_EQ(run("<B>AddComment</B><EN>new global</EN>", ""), "<B>AddComment</B><P>2</P>\n");
    // The same document, whether named by the folder or by its file.
    EXPECT_EQ(run("<B>ShowAllComments</B>", "Global"),
              "<B>ShowAllComments</B><P>1: subject form / \xE4\xB8\xBB\xE6\xA0\xBC</P>\n<P>2: new global / </P>\n");
    // A file command citing G2 sees the edited, still unwritten global comment.
    EXPECT_EQ(run("<B>ModifyTemplate</B><template sub='0'><name>no sample</name><node><name>n</name>"
                  "<Group><name>x</name><commentID>G2</commentID><commentID>C9</commentID></Group></node></template>"),
              "<B>ModifyTemplate</B><P>no sample</P>\n");
    EXPECT_EQ(run("<B>ShowComments</B><NAME>no sample</NAME>"),
              "<B>ShowComments</B><P>G2: new global / </P>\n<P>C9: ?</P>\n");
}

TEST_F(Catalogue, OpenDocumentsAreRenamedAndClosed) {
    ASSERT_EQ(run("<B>ModifySentence</B><ID>5</ID><TEXT>five</TEXT>"), "<B>ModifySentence</B><P>5 five</P>\n");
    EXPECT_EQ(run("lesson1<B>RenameVTAT</B><TO>copy</TO>", ""),
              "<B>RenameVTAT</B><P>" + templatePath("copy.xvt") + "</P>\n");
    EXPECT_EQ(run("lesson1<B>RenameVTAT</B><TO>copy</TO>", ""), kReplyCantOpen) << "no longer open under lesson1";
    EXPECT_EQ(run("<B>WriteTemplate</B>", "copy").substr(0, 20), "<B>WriteTemplate</B>");
    EXPECT_NE(slurp(templatePath("copy.xvt")).find("<P ID='5'>five</P>"), std::string::npos);
    EXPECT_EQ(slurp(templatePath("lesson1.xvt")), test::kLessonXvt);
    EXPECT_EQ(run("<B>ShowSentences</B>", "Global"), "<B>ShowSentences</B>");
    EXPECT_EQ(run("<B>DeleteAllVTAT</B>", ""), "<B>DeleteAllVTAT</B><P>2</P>\n");
    EXPECT_EQ(engine.openDocuments().size(), 0u);
    ASSERT_EQ(run("<B>ShowSentences</B>"), "<B>ShowSentences</B><P>1 I am a boy.</P>\n");
    EXPECT_EQ(engine.openDocuments().size(), 1u);
    ASSERT_EQ(engine.initialise(dir.file("zintra.ini").c_str()), 1);
    EXPECT_EQ(engine.openDocuments().size(), 0u) << "an initialisation starts with no open documents";
}

}  // namespace
}  // namespace zintra
