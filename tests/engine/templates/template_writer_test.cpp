#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "engine/authoring/template_dump.h"
#include "engine/templates/template_writer.h"
#include "engine/templates/xml_parser.h"
#include "template_fixture.h"

namespace zintra {
namespace {

using test::TemplateFixture;

class TemplateWriter : public TemplateFixture {
  protected:
    std::string serialise(const std::string& xml) {
        auto doc = XmlDocument::fromMemory(xml, "test");
        EXPECT_TRUE(doc->ok()) << doc->error();
        return serializeTemplateDocument(doc->document());
    }
    std::string slurp(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::string dump(const TemplateFile& f) {
        std::ostringstream out;
        dumpTemplateFile(out, f, nullptr);
        return out.str();
    }
};

TEST_F(TemplateWriter, WritesOneElementPerLineIndentedByTabs) {
    std::string text = serialise(
        "<?xml version = '1.0'?>\n<root>\n  <!-- dropped -->\n  <Version>  1.0 </Version><Author/>"
        "<SAMP>\n    <P ID=' 1 ' x=\"a&amp;b&lt;c\">  rock &amp; roll &lt;3 &gt; </P>\n  </SAMP>"
        "<Template><template sub='0'><name>t</name><node left='10' top='20'><name>n</name>"
        "<Group type='wrong'><name>me</name><commentID>G1</commentID></Group></node></template></Template>"
        "<S>text<b>mixed</b>more</S><E><!-- only a comment --></E><C><![CDATA[cdata]]></C></root>");
    EXPECT_EQ(text,
              "<?xml version='1.0'?>\n\n"
              "<root>\n"
              "\t<Version>1.0</Version>\n"
              "\t<Author></Author>\n"
              "\t<SAMP>\n"
              "\t\t<P ID='1' x='a&b<c'>rock &amp; roll &lt;3 ></P>\n"
              "\t</SAMP>\n"
              "\t<Template>\n"
              "\t\t<template sub='0'>\n"
              "\t\t\t<name>t</name>\n"
              "\t\t\t<node left='10' top='20'>\n"
              "\t\t\t\t<name>n</name>\n"
              "\t\t\t\t<Group type='wrong'>\n"
              "\t\t\t\t\t<name>me</name>\n"
              "\t\t\t\t\t<commentID>G1</commentID>\n"
              "\t\t\t\t</Group>\n"
              "\t\t\t</node>\n"
              "\t\t</template>\n"
              "\t</Template>\n"
              "\t<S>\n"
              "\t\t<b>mixed</b>\n"
              "\t</S>\n"
              "\t<E>\n"
              "\t</E>\n"
              "\t<C>\n"
              "\t</C>\n"
              "</root>\n");
}

TEST_F(TemplateWriter, WritesUtf8WhateverTheInput) {
    std::string text =
        serialise("<?xml version='1.0' encoding='Shift_JIS'?><root><jcontent>\x82\xA0</jcontent></root>");
    EXPECT_EQ(text, "<?xml version='1.0'?>\n\n<root>\n\t<jcontent>\xE3\x81\x82</jcontent>\n</root>\n");
}

TEST_F(TemplateWriter, NewFileSkeletonSerialisesToEmptyParts) {
    EXPECT_EQ(serialise(kNewTemplateFile),
              "<?xml version='1.0'?>\n\n<root>\n\t<Version></Version>\n\t<Author></Author>\n\t<S></S>\n"
              "\t<SAMP></SAMP>\n\t<category>\n\t\t<name>new</name>\n\t</category>\n\t<Template></Template>\n"
              "</root>\n");
}

TEST_F(TemplateWriter, ReadWriteReadKeepsEverythingTheReaderBuilds) {
    std::string original = file(
        "<Version>2</Version><SAMP><P ID='1'>I am a boy.</P><P ID='2'>Tom &amp; I</P></SAMP>"
        "<category><name>top</name><category><name>be</name>"
        "<comment ID='1'><name>c1</name><sentenceID>1</sentenceID><econtent>Use &lt;am&gt;.</econtent>"
        "<jcontent>\xE3\x80\x8C"
        "am\xE3\x80\x8D\xE3\x82\x92\xE4\xBD\xBF\xE3\x81\x84\xE3\x81\xBE\xE3\x81\x99</jcontent></comment>"
        "</category></category>"
        "<Template><template sub='1' Tag='NP'><name>NP</name><node><name>d</name><Group><name>a boy</name></Group>"
        "</node></template>"
        "<template sub='0'><name>main</name><sample>I am a boy.</sample>"
        "<node Tag='PRP' left='1' top='2'><name>s</name><Next>v</Next><Group><name>I</name></Group></node>"
        "<node><name>v</name><Next>o</Next><Group type='wrong'><name>is</name><commentID>C1</commentID>"
        "<commentID>G5</commentID></Group><Group type='normal'><name>&apos;m</name></Group></node>"
        "<node><name>o</name><Phrase>NP</Phrase></node></template></Template>");
    auto first = read(original);
    ASSERT_NE(first, nullptr);

    auto doc = XmlDocument::fromFile(dir.file("templates/t.xvt"));
    ASSERT_TRUE(doc->ok());
    std::string copy = dir.file("templates/copy.xvt");
    ASSERT_TRUE(writeTemplateDocument(doc->document(), copy));
    auto second = readTemplateFile(copy, nullptr, analyzer());
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(dump(*second), dump(*first));
    EXPECT_NE(dump(*first).find("words: [a] [boy]"), std::string::npos) << dump(*first);

    // Writing what was written changes nothing.
    auto again = XmlDocument::fromFile(copy);
    ASSERT_TRUE(again->ok());
    EXPECT_EQ(serializeTemplateDocument(again->document()), slurp(copy));
}

TEST_F(TemplateWriter, AFailedWriteLeavesTheOldFile) {
    auto doc = XmlDocument::fromMemory(kNewTemplateFile, "new");
    EXPECT_FALSE(writeTemplateDocument(doc->document(), dir.file("no/such/folder/x.xvt")));
    std::string target = dir.write("templates/keep.xvt", "old");
    std::filesystem::create_directory(target + ".writing");  // the temporary cannot be made
    EXPECT_FALSE(writeTemplateDocument(doc->document(), target));
    EXPECT_EQ(slurp(target), "old");
    std::filesystem::remove(target + ".writing");
    EXPECT_TRUE(writeTemplateDocument(doc->document(), target));
    EXPECT_EQ(slurp(target), serializeTemplateDocument(doc->document()));
    EXPECT_FALSE(std::filesystem::exists(target + ".writing"));
}

TEST_F(TemplateWriter, DeepNestingIsWrittenWithoutRecursion) {
    // The text grows with the square of the depth (one tab per level).
    const int depth = 5000;
    std::string xml = "<root>";
    for (int i = 0; i < depth; ++i) xml += "<x>";
    xml += "<y>t</y>";
    for (int i = 0; i < depth; ++i) xml += "</x>";
    xml += "</root>";
    std::string text = serialise(xml);
    // Each level holds its tabs, a start tag and an end tag.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 * (depth + 1) + 1 + 2);
    EXPECT_NE(text.find(std::string(depth + 1, '\t') + "<y>t</y>\n"), std::string::npos);
}

}  // namespace
}  // namespace zintra
