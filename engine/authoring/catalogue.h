// Catalogue commands: the DIV requests with which template authors look at
// and edit template files.
//
// A command is <DIV><B>Name</B> arguments </DIV>. Arguments are child elements
// of the DIV, each read as its trimmed text; one that is not given is empty:
//   NAME  a template name, or the name of a new category
//   ID    a sample or comment number (digits)
//   TEXT  a sample sentence
//   CAT   a category path: the category names from the file's top category
//         down, joined by "/" (e.g. "new/verbs"); not given: the top category
//   TO    the new name or the destination (category path, template name,
//         document name)
//   EN, JA  a comment's English and Japanese text
//   SID   a sample number illustrating a comment (may be repeated)
//   template  a whole template element (ModifyTemplate, AddTemplate)
// DeleteVTAT and RenameVTAT name their document by the DIV's leading text (its
// first child, before <B>), a template name completed by the naming rule.
//
// With H1 given, the command works on the document of that template file,
// opened for editing (a missing file starts from the new-file skeleton).
// Without H1 it works on the templates folder: the category and comment
// commands then edit the folder's "Global.xvt" (the comments every template
// may cite), and the *VTAT commands manage the open documents.
//
// Every reply opens with "<B>", the command name and "</B>", followed by
// "<P>...</P>\n" lines (texts escaped):
//   ListTemplates    one line per template: "main NAME" or "sub NAME"
//   ShowTemplate     NAME: the template element as the file holds it
//   ShowSentences    one line per sample: "ID TEXT"
//   ShowComments     NAME: one line per comment the template cites, in order
//                    of first citation: "CITATION: ENGLISH / JAPANESE"
//                    ("?" for a comment that does not exist)
//   ShowAllComments  one line per comment: "ID: ENGLISH / JAPANESE"
//   ShowCatalog      CAT: one line per category below and including it:
//                    "PATH:" and the IDs of its own comments
//   modifying commands: one line naming what was changed (AddComment: the
//                    new comment's number)
// The modifying commands (Modify*, Delete*, Add*, Move*, Copy*) change the
// open document only; WriteTemplate writes it to its file and marks the
// template cache for dropping. A command that cannot be carried out (unknown
// name, missing argument, nothing found) produces nothing, which the request
// handler answers with the cannot-open reply.
#pragma once

#include <string>

#include <xercesc/dom/DOM.hpp>

namespace zintra {

class Analyzer;
class Converter;
class OpenDocuments;
class TemplateStore;

class CatalogueCommands {
  public:
    CatalogueCommands(TemplateStore& store, OpenDocuments& documents, const Analyzer& analyzer, Converter& converter)
        : store_(store), documents_(documents), analyzer_(analyzer), converter_(converter) {}

    // A command on the templates folder (H1 not given).
    std::string onFolder(const xercesc::DOMElement* div);
    // A command on the template file at templatePath (H1 given).
    std::string onFile(const xercesc::DOMElement* div, const std::string& templatePath);

  private:
    TemplateStore& store_;
    OpenDocuments& documents_;
    const Analyzer& analyzer_;
    Converter& converter_;
};

}  // namespace zintra
