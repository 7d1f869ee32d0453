#include <gtest/gtest.h>

#include <chrono>

#include "engine/templates/template_reader.h"
#include "template_fixture.h"

namespace zintra {
namespace {

using test::TemplateFixture;

class TemplateReader : public TemplateFixture {};

std::string names(const std::vector<const Node*>& nodes) {
    std::string out;
    for (const Node* n : nodes) out += (out.empty() ? "" : ",") + n->name;
    return out;
}

std::vector<std::string> chainWords(const Filler& f) {
    std::vector<std::string> words;
    for (const WordNode* w = f.chain; w; w = w->next) words.push_back(w->word);
    return words;
}

TEST_F(TemplateReader, SubAttributeDecidesMainOrSub) {
    auto f =
        read(file("<Template>"
                  "<template><name>none</name></template>"
                  "<template sub='0' Tag='S'><name>main</name><sample>I &amp; you</sample></template>"
                  "<template sub='1'><name>one</name></template>"
                  "<template sub=' 0'><name>blank</name></template>"
                  "</Template>"));
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(f->mainTemplates.size(), 1u);
    EXPECT_EQ(f->mainTemplates[0]->name, "main");
    EXPECT_EQ(f->mainTemplates[0]->tag, "S");
    EXPECT_TRUE(f->mainTemplates[0]->hasSample);
    EXPECT_EQ(f->mainTemplates[0]->sample, "I &amp; you");
    ASSERT_EQ(f->subTemplates.size(), 3u);
    EXPECT_EQ(f->subTemplates[0]->name, "none");
    EXPECT_EQ(f->subTemplates[1]->name, "one");
    EXPECT_EQ(f->subTemplates[2]->name, "blank");
    EXPECT_FALSE(f->subTemplates[0]->hasSample);
    EXPECT_EQ(f->subTemplates[0]->tag, "");
}

TEST_F(TemplateReader, SamplesAreNumberedFromLeadingDigitsAndStoredEscaped) {
    auto f =
        read(file("<SAMP><P ID='3'>  rock &amp; roll &lt;3 </P><P ID='x7'>seven</P>"
                  "<group><P ID='12abc'>nested</P></group><P ID='3'>later</P></SAMP>"
                  "<SAMP><P ID='4'>second SAMP is ignored</P></SAMP>"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->samples.size(), 3u);
    ASSERT_NE(f->sample(0), nullptr);
    EXPECT_EQ(*f->sample(0), "seven") << "an ID that does not start with a digit is 0";
    EXPECT_EQ(*f->sample(12), "nested");
    EXPECT_EQ(*f->sample(3), "later") << "a later P with the same number replaces the earlier";
    EXPECT_EQ(f->sample(4), nullptr);
    auto g = read(file("<SAMP><P ID='1'>rock &amp; roll &lt;3</P></SAMP>"));
    EXPECT_EQ(*g->sample(1), "rock &amp; roll &lt;3");
}

TEST_F(TemplateReader, CommentsAreCollectedAtAnyDepthOfTheFirstCategory) {
    auto f =
        read(file("<category><name>top</name>"
                  "<comment ID='1'><econtent>one</econtent><jcontent>\xE4\xB8\x80</jcontent>"
                  "<sentenceID>1</sentenceID><x><sentenceID>2&amp;</sentenceID></x></comment>"
                  "<category><name>a</name><category><name>b</name><category><name>c</name>"
                  "<comment ID='7'><econtent>deep &lt; text</econtent></comment>"
                  "</category></category></category>"
                  "<comment ID='1'><econtent>replaced</econtent></comment>"
                  "</category>"
                  "<category><comment ID='9'><econtent>second category</econtent></comment></category>"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->comments.size(), 2u);
    const Comment* deep = f->comment(7);
    ASSERT_NE(deep, nullptr) << "a comment three categories deep is found";
    EXPECT_EQ(deep->english, "deep &lt; text");
    EXPECT_EQ(deep->japanese, "");
    const Comment* one = f->comment(1);
    ASSERT_NE(one, nullptr);
    EXPECT_EQ(one->english, "replaced");
    EXPECT_TRUE(one->sentenceIds.empty());
    EXPECT_EQ(f->comment(9), nullptr) << "only the first category is read";

    auto g =
        read(file("<category><comment ID='2'><econtent>e</econtent><jcontent>\xE4\xB8\x80</jcontent>"
                  "<sentenceID>1</sentenceID><x><sentenceID>2&amp;</sentenceID></x></comment></category>"));
    const Comment* two = g->comment(2);
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two->japanese, "\xE4\xB8\x80");
    EXPECT_EQ(two->sentenceIds, (std::vector<std::string>{"1", "2&amp;"}));
}

TEST_F(TemplateReader, GlobalCommentNumbersAreLookedUpInTheGlobalFile) {
    auto global = read(file("<category><comment ID='12'><econtent>global</econtent></comment></category>"));
    auto f = read(file("<category><comment ID='12'><econtent>own</econtent></comment></category>"));
    ASSERT_NE(f->comment(10012, global.get()), nullptr);
    EXPECT_EQ(f->comment(10012, global.get())->english, "global");
    EXPECT_EQ(f->comment(12, global.get())->english, "own");
    EXPECT_EQ(f->comment(10012), nullptr);
}

TEST_F(TemplateReader, CommentCitationsAddTenThousandForTheGlobalFile) {
    auto f =
        read(file("<Template><template sub='0'><node><name>n</name><Group type='wrong'><name>me</name>"
                  "<commentID>G12</commentID><commentID>C12</commentID><commentID>L12</commentID>"
                  "<commentID></commentID><commentID> G3 </commentID><x><commentID>g5</commentID></x>"
                  "</Group></node></template></Template>"));
    ASSERT_EQ(f->mainTemplates.size(), 1u);
    const Filler& filler = f->mainTemplates[0]->nodes[0]->fillers.at(0);
    EXPECT_EQ(filler.comments, (std::vector<int32_t>{10012, 12, 12, 10003, 5}));
    int32_t n = 0;
    EXPECT_FALSE(parseCommentCitation("", n));
    ASSERT_TRUE(parseCommentCitation("G99999999999", n));
    EXPECT_EQ(n, std::numeric_limits<int32_t>::max()) << "a huge number saturates instead of overflowing";
}

TEST_F(TemplateReader, NodesLinkThroughNextAndStartWhereNothingLeadsIn) {
    auto f =
        read(file("<Template><template sub='0'><name>t</name>"
                  "<node Tag='NP'><name>a</name><Next>b</Next><Next>c</Next><Next>nowhere</Next></node>"
                  "<node><name>b</name><Next>d</Next></node>"
                  "<node><name>c</name><x><Next>d</Next></x></node>"
                  "<node><name>d</name></node>"
                  "<node><name>lone</name></node>"
                  "</template></Template>"));
    const Template& t = *f->mainTemplates.at(0);
    ASSERT_EQ(t.nodes.size(), 5u);
    EXPECT_EQ(t.nodes[0]->tag, "NP");
    EXPECT_EQ(names(t.nodes[0]->successors), "b,c") << "a Next naming no node is ignored";
    EXPECT_EQ(names(t.nodes[2]->successors), "d");
    EXPECT_EQ(t.nodes[3]->predecessorCount, 2);
    EXPECT_EQ(t.nodes[1]->predecessorCount, 1);
    EXPECT_EQ(names(t.startNodes), "a,lone");
}

TEST_F(TemplateReader, FillersAreGroupsInOrderThenPhrases) {
    auto f = read(
        file("<Template>"
             "<template sub='1'><name>NP</name><node><name>x</name><Group><name>a boy</name></Group></node></template>"
             "<template sub='0'><name>main</name><node><name>n</name>"
             "<Phrase>NP</Phrase>"
             "<Group type='wrong' Tag='PRP'><name> me </name></Group>"
             "<Group type='normal'><name>rock &amp; roll</name></Group>"
             "<Group type='odd'><name>odd</name></Group>"
             "<Group><name>plain</name></Group>"
             "<Phrase>missing</Phrase>"
             "</node></template></Template>"));
    const Node& n = *f->mainTemplates.at(0)->nodes.at(0);
    ASSERT_EQ(n.fillers.size(), 5u) << "a Phrase naming no template is dropped";
    EXPECT_EQ(n.fillers[0].kind, FillerKind::Wrong);
    EXPECT_EQ(n.fillers[0].text, "me");
    EXPECT_EQ(n.fillers[0].tag, "PRP");
    EXPECT_EQ(n.fillers[1].kind, FillerKind::Normal);
    EXPECT_EQ(n.fillers[1].text, "rock & roll") << "filler texts are stored unescaped";
    EXPECT_EQ(n.fillers[2].kind, FillerKind::Correct);
    EXPECT_EQ(n.fillers[3].kind, FillerKind::Correct);
    ASSERT_TRUE(n.fillers[4].isPhrase());
    EXPECT_EQ(n.fillers[4].phrase, f->subTemplates.at(0).get());
    EXPECT_EQ(n.fillers[4].reference, "NP");
}

TEST_F(TemplateReader, PhrasesSearchSubTemplatesFirstAndNeverTheirOwnTemplate) {
    auto f = read(file(
        "<Template>"
        "<template sub='0'><name>X</name><node><name>n</name><Phrase>X</Phrase><Phrase>Y</Phrase></node></template>"
        "<template sub='1'><name>X</name></template>"
        "<template sub='0'><name>Y</name><node><name>m</name><Phrase>Y</Phrase></node></template>"
        "<template sub='1'><name>Z</name><node><name>z</name><Phrase>Later</Phrase></node></template>"
        "<template sub='0'><name>Later</name></template>"
        "</Template>"));
    ASSERT_EQ(f->mainTemplates.size(), 3u);
    const Node& n = *f->mainTemplates[0]->nodes.at(0);
    ASSERT_EQ(n.fillers.size(), 2u);
    EXPECT_EQ(n.fillers[0].phrase, f->subTemplates[0].get()) << "the sub template of the same name comes first";
    EXPECT_EQ(n.fillers[1].phrase, f->mainTemplates[1].get());
    EXPECT_TRUE(f->mainTemplates[1]->nodes.at(0)->fillers.empty()) << "a template never fills itself";
    ASSERT_EQ(f->subTemplates[1]->nodes.at(0)->fillers.size(), 1u);
    EXPECT_EQ(f->subTemplates[1]->nodes[0]->fillers[0].phrase, f->mainTemplates[2].get())
        << "a Phrase may name a template further down the file";
}

TEST_F(TemplateReader, DoubleSlashPhrasesUseTheBaseFile) {
    std::shared_ptr<const TemplateFile> base =
        read(file("<Template><template sub='1'><name>NP</name><node><name>b</name>"
                  "<Group><name>the boy</name></Group></node></template></Template>"));
    std::string text = file(
        "<Template>"
        "<template sub='1'><name>NP</name></template>"
        "<template sub='0'><name>m</name><node><name>n</name>"
        "<Phrase>//NP</Phrase><Phrase>NP</Phrase></node></template></Template>");
    auto withBase = read(text, base);
    const Node& n = *withBase->mainTemplates.at(0)->nodes.at(0);
    ASSERT_EQ(n.fillers.size(), 2u);
    EXPECT_EQ(n.fillers[0].phrase, base->subTemplates.at(0).get());
    EXPECT_EQ(n.fillers[0].reference, "//NP");
    EXPECT_EQ(n.fillers[1].phrase, withBase->subTemplates.at(0).get());
    EXPECT_EQ(withBase->baseFile, base) << "the file keeps its base file alive";

    auto withoutBase = read(text);
    EXPECT_EQ(withoutBase->mainTemplates.at(0)->nodes.at(0)->fillers.at(0).phrase,
              withoutBase->subTemplates.at(0).get())
        << "without a base file, \"//\" names are looked up in the file itself";
}

TEST_F(TemplateReader, FillerTextsBecomeWordChains) {
    auto f =
        read(file("<Template><template sub='0'><node><name>n</name>"
                  "<Group type='wrong'><name>I am a boy</name><commentID>C4</commentID></Group>"
                  "<Group><name>boy</name></Group>"
                  "<Group><name>boy .</name></Group>"
                  "<Group><name>boy ,</name></Group>"
                  "</node></template></Template>"));
    const auto& fillers = f->mainTemplates.at(0)->nodes.at(0)->fillers;
    ASSERT_EQ(fillers.size(), 4u);
    EXPECT_EQ(chainWords(fillers[0]), (std::vector<std::string>{"I", "am", "a", "boy"}));
    for (const WordNode* w = fillers[0].chain; w; w = w->next) {
        EXPECT_EQ(w->kind, FillerKind::Wrong);
        EXPECT_EQ(w->comments, std::vector<int32_t>{4});
    }
    EXPECT_EQ(fillers[1].chain, nullptr) << "one word is the filler itself";
    EXPECT_EQ(fillers[2].chain, nullptr) << "a word and its full stop make no chain";
    EXPECT_EQ(chainWords(fillers[3]), (std::vector<std::string>{"boy", ","}));

    std::string many;
    for (int i = 0; i < 45; ++i) many += test::numbered("w", i, " ");
    auto g = read(file("<Template><template sub='0'><node><name>n</name><Group><name>" + many +
                       "</name></Group></node></template></Template>"));
    auto words = chainWords(g->mainTemplates.at(0)->nodes.at(0)->fillers.at(0));
    ASSERT_EQ(words.size(), 30u) << "at most 30 words";
    EXPECT_EQ(words.back(), "w29");
}

TEST_F(TemplateReader, MissingPartsLeaveThoseTablesEmpty) {
    auto f = read(file(""));
    ASSERT_NE(f, nullptr);
    EXPECT_TRUE(f->samples.empty());
    EXPECT_TRUE(f->comments.empty());
    EXPECT_TRUE(f->mainTemplates.empty());
    EXPECT_TRUE(f->subTemplates.empty());
}

TEST_F(TemplateReader, FailuresSayWhy) {
    TemplateReadError error;
    EXPECT_EQ(readTemplateFile(dir.file("templates/none.xvt"), nullptr, analyzer(), &error), nullptr);
    EXPECT_EQ(error.reason, TemplateReadError::Reason::NotFound);
    EXPECT_EQ(readTemplateFile(dir.file("templates"), nullptr, analyzer(), &error), nullptr);
    EXPECT_EQ(error.reason, TemplateReadError::Reason::NotFound) << "a folder is not a template file";

    std::string bad = put("bad.xvt", "<?xml version='1.0'?>\n<root>\n  <SAMP><P ID='1'>x</SAMP>\n</root>\n");
    EXPECT_EQ(readTemplateFile(bad, nullptr, analyzer(), &error), nullptr);
    EXPECT_EQ(error.reason, TemplateReadError::Reason::NotWellFormed);
    EXPECT_EQ(error.line, 3);
    EXPECT_GT(error.column, 0);
    EXPECT_FALSE(error.message.empty());

    std::string other = put("other.xvt", "<?xml version='1.0'?>\n<Root><SAMP/></Root>");
    EXPECT_EQ(readTemplateFile(other, nullptr, analyzer(), &error), nullptr);
    EXPECT_EQ(error.reason, TemplateReadError::Reason::NoRoot);

    EXPECT_EQ(readTemplateFile(put("empty.xvt", ""), nullptr, analyzer(), &error), nullptr);
    EXPECT_EQ(error.reason, TemplateReadError::Reason::NotWellFormed);
}

// Element declarations that let a document with a DOCTYPE pass validation,
// so that its entities are really expanded.
const std::string kDeclarations =
    "<!ELEMENT root ANY><!ELEMENT SAMP ANY><!ELEMENT P ANY><!ATTLIST P ID CDATA #IMPLIED>";

TEST_F(TemplateReader, EntityExpansionIsBounded) {
    // Nested entities that would expand to 10^9 copies.
    std::string laughs = "<?xml version='1.0'?>\n<!DOCTYPE root [" + kDeclarations + "<!ENTITY a \"aaaaaaaaaa\">";
    std::string previous = "a";
    for (int level = 0; level < 8; ++level) {
        std::string name = test::numbered("e", level);
        laughs += "<!ENTITY " + name + " \"";
        for (int i = 0; i < 10; ++i) laughs += "&" + previous + ";";
        laughs += "\">";
        previous = name;
    }
    laughs += "]>\n<root><SAMP><P ID='1'>&" + previous + ";</P></SAMP></root>";
    // Unbounded, this would not finish; bounded, it fails at the limit.
    EXPECT_EQ(read(laughs), nullptr);

    // A large entity referenced many times (far fewer expansions than the
    // parser's count allows) stops at the budget for expanded text.
    std::string big(100000, 'b');
    std::string quadratic = "<?xml version='1.0'?>\n<!DOCTYPE root [" + kDeclarations + "<!ENTITY big \"" + big +
                            "\">]>\n<root><SAMP><P ID='1'>";
    for (int i = 0; i < 2000; ++i) quadratic += "&big;";
    quadratic += "</P></SAMP></root>";
    EXPECT_EQ(read(quadratic), nullptr);

    // Entities within the budget are expanded as usual.
    auto small = read("<?xml version='1.0'?>\n<!DOCTYPE root [" + kDeclarations +
                      "<!ENTITY boy \"a boy\">]>\n<root><SAMP><P ID='1'>I am &boy;.</P></SAMP></root>");
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(*small->sample(1), "I am a boy.");

    // Predefined entities and character references are not limited.
    std::string many = "<?xml version='1.0'?>\n<root><SAMP><P ID='1'>";
    for (int i = 0; i < 30000; ++i) many += "&amp;&#65;";
    many += "</P></SAMP></root>";
    auto plain = read(many);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->sample(1)->size(), 30000u * 6);
}

TEST_F(TemplateReader, NothingOutsideTheFileIsRead) {
    std::string secret = dir.write("secret.txt", "SECRET-CONTENT");
    TemplateReadError error;
    // An external entity naming another file: the read fails without it.
    std::string entity =
        put("entity.xvt", "<?xml version='1.0'?>\n<!DOCTYPE root [" + kDeclarations + "<!ENTITY x SYSTEM \"file://" +
                              secret + "\">]>\n<root><SAMP><P ID='1'>before &x; after</P></SAMP></root>");
    EXPECT_EQ(readTemplateFile(entity, nullptr, analyzer(), &error), nullptr);
    EXPECT_NE(error.message.find("external entity"), std::string::npos) << error.message;
    // An external DTD, on disk or on the network, is not loaded. The address
    // is unroutable: a fetch would hang for minutes before failing.
    auto started = std::chrono::steady_clock::now();
    for (const std::string& dtd : std::vector<std::string>{"http://192.0.2.1/none.dtd", "file://" + secret}) {
        std::string path = put("dtd.xvt", "<?xml version='1.0'?>\n<!DOCTYPE root SYSTEM \"" + dtd +
                                              "\">\n<root><SAMP><P ID='2'>kept</P></SAMP></root>");
        EXPECT_EQ(readTemplateFile(path, nullptr, analyzer(), &error), nullptr);
        EXPECT_NE(error.message.find("unable to open DTD"), std::string::npos) << error.message;
    }
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(60));
}

TEST_F(TemplateReader, DeepNestingIsReadWithoutExhaustingTheStack) {
    const int depth = 200000;
    std::string body = "<Template><template sub='0'><name>deep</name><node><name>n</name>";
    body.reserve(body.size() + static_cast<size_t>(depth) * 7 + 200);
    for (int i = 0; i < depth; ++i) body += "<x>";
    body += "<Group><name>boy</name></Group>";
    for (int i = 0; i < depth; ++i) body += "</x>";
    body += "</node></template></Template>";
    auto f = read(file(body));
    ASSERT_NE(f, nullptr);
    ASSERT_EQ(f->mainTemplates.size(), 1u);
    ASSERT_EQ(f->mainTemplates[0]->nodes.at(0)->fillers.size(), 1u) << "a Group anywhere below its node counts";
    EXPECT_EQ(f->mainTemplates[0]->nodes[0]->fillers[0].text, "boy");
}

class ShiftJisTemplates : public TemplateFixture {
    std::string extraConfig() const override { return "ENCODE Shift_JIS\n"; }
};

TEST_F(ShiftJisTemplates, TextsAreConvertedIntoTheEngineEncoding) {
    auto f =
        read(file("<category><comment ID='1'><jcontent>\xE3\x81\x82</jcontent></comment></category>"
                  "<Template><template sub='0'><name>\xE3\x81\x82</name></template></Template>"));
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->comment(1)->japanese, "\x82\xA0");
    EXPECT_EQ(f->mainTemplates.at(0)->name, "\x82\xA0");
}

}  // namespace
}  // namespace zintra
