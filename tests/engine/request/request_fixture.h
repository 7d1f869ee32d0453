// An initialised engine over a minimal installation whose templates folder
// holds a small exercise, for tests of whole requests.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "engine/api/engine.h"
#include "test_support.h"

namespace zintra::test {

inline const char* kGlobalXvt =
    "<?xml version='1.0'?>\n<root><category><name>global</name>"
    "<comment ID='1'><econtent>subject form</econtent><jcontent>\xE4\xB8\xBB\xE6\xA0\xBC</jcontent></comment>"
    "</category></root>";

inline const char* kBaseXvt =
    "<?xml version='1.0'?>\n<root><Template><template sub='1'><name>NP</name>"
    "<node><name>a</name><Next>n</Next><Group><name>a</name></Group></node>"
    "<node><name>n</name><Group><name>boy</name></Group></node></template></Template></root>";

inline const char* kLessonXvt =
    "<?xml version='1.0'?>\n<root><SAMP><P ID='1'>I am a boy.</P></SAMP>"
    "<category><name>lesson</name><comment ID='1'><econtent>use am</econtent></comment></category>"
    "<Template><template sub='0'><name>I am a boy</name><sample>I am a boy.</sample>"
    "<node><name>s</name><Next>v</Next><Group><name>I</name></Group>"
    "<Group type='wrong'><name>me</name><commentID>G1</commentID></Group></node>"
    "<node><name>v</name><Next>o</Next><Group><name>am</name></Group>"
    "<Group type='wrong'><name>is</name><commentID>C1</commentID></Group></node>"
    "<node><name>o</name><Phrase>//NP</Phrase></node></template>"
    "<template sub='0'><name>Tom &amp; I</name><sample>Tom &amp; I &lt;3</sample></template>"
    "<template sub='0'><name>no sample</name></template>"
    "</Template></root>";

class RequestFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        dir.write("templates/Global.xvt", kGlobalXvt);
        dir.write("templates/Gtemplate.xvt", kBaseXvt);
        dir.write("templates/lesson1.xvt", kLessonXvt);
        ASSERT_EQ(engine.initialise(writeMinimalInstallation(dir, extraConfig()).c_str()), 1);
    }
    virtual std::string extraConfig() const { return ""; }

    std::string ask(const std::string& request, const char* encoding = nullptr) {
        return engine.handleRequest(encoding, request.c_str());
    }
    std::string templatePath(const std::string& name) const { return dir.file("templates/" + name); }
    std::string slurp(const std::string& path) const {
        std::ifstream in(path, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    TempDir dir;
    Engine engine;
};

}  // namespace zintra::test
