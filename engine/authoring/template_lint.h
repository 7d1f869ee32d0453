// Warnings for template authors about parts of a template file that the
// reader accepts but that are probably not what the author meant.
#pragma once

#include <string>

namespace zintra {

class Analyzer;
class Diagnostics;

// Reports, through diagnostics, each Group whose type is not "correct",
// "normal" or "wrong" (the reader takes it as correct) and each Next that
// names no node of its template (the reader drops that edge). Returns the
// number of warnings; a file that does not parse gives none (the reader says
// why it cannot be read).
int warnAboutTemplateFile(const std::string& path, const Analyzer& analyzer, const Diagnostics& diagnostics);

}  // namespace zintra
