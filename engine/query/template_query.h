// Answering a plain-text request: the sentence is matched against the query
// templates (RDQL_TEMPLATE), the words matched by nodes that carry a variable
// name become bindings, and the query of RDQL_FILE with exactly those names
// is filled in.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/query/query_table.h"

namespace zintra {

class Analyzer;
class TemplateFile;
class TemplateStore;
struct ReportItem;

// The bindings of an alignment, in sentence order: for each expansion of a
// node that has a variable name and whose words were all matched as typed,
// in one run, the name and the words joined by single blanks.
std::vector<Binding> bindingsOf(const std::vector<ReportItem>& items);

// Whether an alignment leaves out every word of some node expansion.
bool leavesOutANode(const std::vector<ReportItem>& items);

// Matches sentence against file (its own global file when global is null)
// and returns the bindings of the chosen template; none when the sentence
// leaves out a whole node of it.
std::vector<Binding> bindSentence(std::string_view sentence, const TemplateFile& file, const TemplateFile* global,
                                  const Analyzer& analyzer);

// The filled-in query, or empty when the table is empty, the sentence is
// empty, or no query has exactly the bound names.
std::string answerQuery(std::string_view sentence, const TemplateFile* file, const TemplateFile* global,
                        const QueryTable& table, const Analyzer& analyzer);

// The query table of a file, read once and read again when the file's size
// or modification time changes; an empty table when it cannot be read.
std::shared_ptr<const QueryTable> queryTableOf(const std::string& path);

// The reply to a query request: the RDQL_TEMPLATE file through the store,
// the RDQL_FILE table; empty when either is missing or nothing is answered.
std::string answerTemplateQuery(std::string_view sentence, TemplateStore& store, const Analyzer& analyzer);

}  // namespace zintra
