#include "engine/authoring/catalogue.h"

#include <map>

#include "engine/authoring/catalogue_command.h"
#include "engine/templates/dom_access.h"
#include "engine/templates/open_documents.h"
#include "engine/templates/template_store.h"
#include "engine/templates/template_writer.h"
#include "engine/text/converter.h"
#include "engine/text/escaping.h"

namespace zintra {

using namespace xercesc;

std::u16string CommandContext::arg(std::u16string_view name) const {
    const DOMElement* element = firstChildNamed(div, name);
    return element ? TemplateDocument::textOf(element) : std::u16string();
}

std::vector<std::u16string> CommandContext::args(std::u16string_view name) const {
    std::vector<std::u16string> values;
    for (const DOMNode* n = div->getFirstChild(); n; n = n->getNextSibling()) {
        if (isElementNamed(n, name)) values.push_back(TemplateDocument::textOf(n));
    }
    return values;
}

bool CommandContext::idArg(std::u16string_view name, int32_t& id) const {
    std::u16string text = arg(name);
    if (text.empty() || text.front() < u'0' || text.front() > u'9') return false;
    id = leadingNumber16(text);
    return true;
}

std::string CommandContext::out(std::u16string_view text) { return escaped(converter.fromUtf16(text)); }

void CommandContext::line(std::string_view text) {
    reply += "<P>";
    reply += text;
    reply += "</P>\n";
}

namespace {

using CommandTable = std::map<std::u16string, CommandFunction, std::less<>>;

// Commands on the folder's global file when no H1 is given.
const CommandTable kFolderDocumentCommands = {
    {u"ShowCatalog", showCatalog}, {u"ModifyCatalog", modifyCatalog}, {u"DeleteCatalog", deleteCatalog},
    {u"AddCatalog", addCatalog},   {u"AddComment", addComment},       {u"MoveCatalog", moveCatalog},
    {u"CopyCatalog", copyCatalog},
};

// Commands on the template file named by H1.
const CommandTable kFileCommands = {
    {u"ListTemplates", listTemplates},   {u"ShowTemplate", showTemplate},
    {u"ShowComments", showComments},     {u"ShowAllComments", showAllComments},
    {u"ModifyTemplate", modifyTemplate}, {u"ModifyTemplateName", modifyTemplateName},
    {u"DeleteTemplate", deleteTemplate}, {u"ShowCatalog", showCatalog},
    {u"ShowSentences", showSentences},   {u"DeleteSentence", deleteSentence},
    {u"ModifySentence", modifySentence}, {u"ModifyCatalog", modifyCatalog},
    {u"ModifyComment", modifyComment},   {u"DeleteCatalog", deleteCatalog},
    {u"AddCatalog", addCatalog},         {u"AddComment", addComment},
    {u"AddTemplate", addTemplate},       {u"MoveCatalog", moveCatalog},
    {u"CopyCatalog", copyCatalog},
};

std::u16string commandName(const DOMElement* div) { return TemplateDocument::textOf(firstChildNamed(div, u"B")); }

// The DIV's leading text: its first child when that is a text node.
std::string leadingText(const DOMElement* div, Converter& converter) { return elementText(div, converter); }

std::string header(Converter& converter, std::u16string_view name) {
    return "<B>" + escaped(converter.fromUtf16(name)) + "</B>";
}

}  // namespace

std::string CatalogueCommands::onFolder(const DOMElement* div) {
    std::u16string name = commandName(div);
    TemplateStore& store = store_;
    OpenDocuments& documents = documents_;
    auto lock = documents.lock();
    std::string reply = header(converter_, name);

    if (name == u"DeleteAllVTAT") {
        size_t closed = documents.closeAll();
        return reply + "<P>" + std::to_string(closed) + "</P>\n";
    }
    if (name == u"DeleteVTAT") {
        std::string path = store.fullPath(leadingText(div, converter_));
        if (!documents.close(path)) return {};
        return reply + "<P>" + escaped(path) + "</P>\n";
    }
    if (name == u"RenameVTAT") {
        std::string from = store.fullPath(leadingText(div, converter_));
        CommandContext c{store_, documents_, analyzer_, converter_, div, from, TemplateDocument(nullptr), {}};
        std::string to = store.fullPath(converter_.fromUtf16(c.arg(u"TO")));
        if (!documents.rename(from, to)) return {};
        return reply + "<P>" + escaped(to) + "</P>\n";
    }
    auto command = kFolderDocumentCommands.find(name);
    if (command == kFolderDocumentCommands.end()) return {};
    std::string path = store.templatesFolder() + TemplateStore::kGlobalFileName;
    DOMDocument* document = documents.open(path);
    if (!document) return {};
    CommandContext c{store_, documents_, analyzer_, converter_, div, path, TemplateDocument(document), reply};
    return command->second(c) ? c.reply : std::string();
}

std::string CatalogueCommands::onFile(const DOMElement* div, const std::string& templatePath) {
    std::u16string name = commandName(div);
    OpenDocuments& documents = documents_;
    auto lock = documents.lock();
    std::string reply = header(converter_, name);

    bool write = name == u"WriteTemplate";
    auto command = kFileCommands.find(name);
    if (!write && command == kFileCommands.end()) return {};
    DOMDocument* document = documents.open(templatePath);
    if (!document) return {};
    if (write) {
        if (!writeTemplateDocument(document, templatePath)) return {};
        // Cached copies of the file are now stale.
        store_.setPendingDrop();
        return reply + "<P>" + escaped(templatePath) + "</P>\n";
    }
    CommandContext c{store_, documents_, analyzer_, converter_, div, templatePath, TemplateDocument(document), reply};
    return command->second(c) ? c.reply : std::string();
}

}  // namespace zintra
