#include <gtest/gtest.h>

#include <sstream>

#include "../templates/template_fixture.h"
#include "engine/authoring/template_dump.h"

namespace zintra {
namespace {

using test::TemplateFixture;

class ShowTemplate : public TemplateFixture {
  protected:
    int show(const std::string& path) {
        out.str("");
        err.str("");
        return showTemplateFile(path, analyzer(), out, err);
    }
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ShowTemplate, PrintsWhatTheReaderBuilt) {
    put("Global.xvt", "<root><category><comment ID='1'><econtent>g</econtent></comment></category></root>");
    put("Gtemplate.xvt", "<root><Template><template sub='1'><name>NP</name></template></Template></root>");
    std::string path =
        put("lesson1.xvt",
            "<root><SAMP><P ID='1'>I am a boy.</P></SAMP>"
            "<category><comment ID='2'><sentenceID>1</sentenceID><econtent>use am</econtent>"
            "<jcontent>\xE3\x81\x82</jcontent></comment></category>"
            "<Template><template sub='0' Tag='S'><name>main</name><sample>I am a boy.</sample>"
            "<node Tag='PRP'><name>s</name><Next>o</Next><Group><name>I</name></Group>"
            "<Group type='wrong'><name>me am</name><commentID>G1</commentID><commentID>G7</commentID>"
            "<commentID>C2</commentID><commentID>C3</commentID></Group></node>"
            "<node><name>o</name><Phrase>//NP</Phrase><Group type='normal'><name>a boy</name></Group></node>"
            "</template></Template></root>");
    ASSERT_EQ(show(path), 0) << err.str();
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(out.str(), "file: " + path +
                             "\n"
                             "base file: " +
                             dir.file("templates/Gtemplate.xvt") +
                             "\n"
                             "global file: " +
                             dir.file("templates/Global.xvt") +
                             "\n"
                             "samples: 1\n"
                             "  1: I am a boy.\n"
                             "comments: 1\n"
                             "  2: (samples 1)\n"
                             "    en: use am\n"
                             "    ja: \xE3\x81\x82\n"
                             "templates: 1 main, 0 sub\n"
                             "main template \"main\" tag S\n"
                             "  sample: I am a boy.\n"
                             "  start nodes: \"s\"\n"
                             "    node \"s\" tag PRP (0 before) -> \"o\"\n"
                             "      correct \"I\"\n"
                             "      wrong \"me am\"\n"
                             "        words: [me] [am]\n"
                             "        comments: G1 G7 (missing in Global.xvt) 2 3 (missing)\n"
                             "    node \"o\" (1 before) -> end\n"
                             "      normal \"a boy\"\n"
                             "        words: [a] [boy]\n"
                             "      phrase \"//NP\" -> sub template \"NP\" of Gtemplate.xvt\n");
}

TEST_F(ShowTemplate, SaysWhyAFileCannotBeRead) {
    EXPECT_EQ(show(dir.file("templates/none.xvt")), 1);
    EXPECT_NE(err.str().find("none.xvt: not found at " + dir.file("templates/none.xvt")), std::string::npos)
        << err.str();
    EXPECT_EQ(out.str(), "");

    EXPECT_EQ(show(put("bad.xvt", "<root>\n<SAMP>\n</root>\n")), 1);
    EXPECT_NE(err.str().find("not well-formed XML at line 3, column"), std::string::npos) << err.str();

    EXPECT_EQ(show(put("other.xvt", "<template/>")), 1);
    EXPECT_NE(err.str().find("no root element"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace zintra
