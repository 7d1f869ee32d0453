// A readable account of what the reader built from a template file, for
// template authors (`zintra show`).
#pragma once

#include <ostream>
#include <string>

namespace zintra {

class Analyzer;
class TemplateFile;

// Writes the file's samples, comments and templates with their nodes,
// successors and fillers (kinds, word chains, cited comments). global, when
// given, supplies the texts of the comments cited with "G".
void dumpTemplateFile(std::ostream& out, const TemplateFile& file, const TemplateFile* global);

// Reads path as the engine would (with the folder's "Gtemplate.xvt" for "//"
// Phrase fillers and its "Global.xvt" for the global comments) and dumps it.
// Returns 0; 1 with a message on err naming why the file cannot be read.
int showTemplateFile(const std::string& path, const Analyzer& analyzer, std::ostream& out, std::ostream& err);

}  // namespace zintra
