// A test fixture with an initialised engine over a minimal installation and
// helpers to write and read template files in its templates folder.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/api/engine.h"
#include "engine/templates/template_file.h"
#include "engine/templates/template_reader.h"
#include "test_support.h"

namespace zintra::test {

// prefix followed by the number (written so, not as prefix + to_string, which
// trips a false -Wrestrict warning of GCC 12 at -O3).
inline std::string numbered(std::string_view prefix, int number, std::string_view suffix = "") {
    std::string out(prefix);
    out += std::to_string(number);
    out += suffix;
    return out;
}

class TemplateFixture : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(engine.initialise(writeMinimalInstallation(dir, extraConfig()).c_str()), 1); }
    virtual std::string extraConfig() const { return "TN_SYMBOL ,;:!?\"()\n"; }

    const Analyzer& analyzer() { return *engine.analyzer(); }
    // Writes templates/<name> and returns its full path.
    std::string put(const std::string& name, const std::string& xml) { return dir.write("templates/" + name, xml); }
    std::shared_ptr<TemplateFile> read(const std::string& xml, std::shared_ptr<const TemplateFile> base = nullptr) {
        return readTemplateFile(put("t.xvt", xml), std::move(base), analyzer());
    }
    // A file whose root holds the given body.
    static std::string file(const std::string& body) { return "<?xml version='1.0'?>\n<root>" + body + "</root>"; }

    TempDir dir;
    Engine engine;
};

}  // namespace zintra::test
