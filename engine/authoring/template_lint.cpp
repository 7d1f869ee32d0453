#include "engine/authoring/template_lint.h"

#include <set>

#include "engine/config/diagnostics.h"
#include "engine/language/analyzer.h"
#include "engine/templates/dom_access.h"
#include "engine/templates/xml_parser.h"
#include "engine/text/converter.h"

namespace zintra {

using namespace xercesc;

namespace {

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

}  // namespace

int warnAboutTemplateFile(const std::string& path, const Analyzer& analyzer, const Diagnostics& diagnostics) {
    std::unique_ptr<XmlDocument> doc = XmlDocument::fromFile(path);
    if (!doc->ok() || !doc->document()) return 0;
    const DOMElement* root = doc->document()->getDocumentElement();
    if (!isElementNamed(root, u"root")) return 0;
    Converter converter(analyzer.config().encode);
    int warnings = 0;
    auto warn = [&](const std::string& message) {
        ++warnings;
        diagnostics.report(path + ": " + message);
    };
    forEachDescendantNamed(firstChildNamed(root, u"Template"), u"template", [&](const DOMElement* tmpl) {
        std::string where = "template " + quoted(childText(tmpl, u"name", converter));
        std::set<std::string> names;
        forEachDescendantNamed(tmpl, u"node",
                               [&](const DOMElement* node) { names.insert(childText(node, u"name", converter)); });
        forEachDescendantNamed(tmpl, u"node", [&](const DOMElement* node) {
            std::string nodeWhere = where + ", node " + quoted(childText(node, u"name", converter));
            forEachDescendantNamed(node, u"Next", [&](const DOMElement* next) {
                std::string target = elementText(next, converter);
                if (!names.count(target))
                    warn(nodeWhere + ": Next " + quoted(target) +
                         " names no node of the template; the edge is left out");
            });
            forEachDescendantNamed(node, u"Group", [&](const DOMElement* group) {
                std::string filler = quoted(childText(group, u"name", converter));
                if (!hasAttribute(group, u"type")) {
                    warn(nodeWhere + ": Group " + filler + " has no type; it is read as correct");
                    return;
                }
                std::string type = attributeText(group, u"type", converter);
                if (type != "correct" && type != "normal" && type != "wrong")
                    warn(nodeWhere + ": Group " + filler + " has the type " + quoted(type) +
                         ", not correct, normal or wrong; it is read as correct");
            });
        });
    });
    return warnings;
}

}  // namespace zintra
