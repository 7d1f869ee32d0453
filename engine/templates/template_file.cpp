#include "engine/templates/template_file.h"

namespace zintra {

TemplateFile::~TemplateFile() = default;

const std::string* TemplateFile::sample(int32_t number) const {
    auto it = samples.find(number);
    return it == samples.end() ? nullptr : &it->second;
}

const Comment* TemplateFile::comment(int32_t number, const TemplateFile* global) const {
    if (number >= kGlobalCommentOffset) {
        if (!global) return nullptr;
        auto it = global->comments.find(number - kGlobalCommentOffset);
        return it == global->comments.end() ? nullptr : &it->second;
    }
    auto it = comments.find(number);
    return it == comments.end() ? nullptr : &it->second;
}

}  // namespace zintra
