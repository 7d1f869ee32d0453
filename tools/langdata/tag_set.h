// Small integer ids for tags and words, so the learners can use arrays and
// packed keys instead of strings.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

namespace langdata {

class Vocabulary {
  public:
    int id(const std::string& s) {
        auto [it, inserted] = ids_.emplace(s, static_cast<int>(names_.size()));
        if (inserted) names_.push_back(s);
        return it->second;
    }
    int find(const std::string& s) const {
        auto it = ids_.find(s);
        return it == ids_.end() ? -1 : it->second;
    }
    const std::string& name(int id) const { return names_[static_cast<std::size_t>(id)]; }
    int size() const { return static_cast<int>(names_.size()); }

  private:
    std::unordered_map<std::string, int> ids_;
    std::vector<std::string> names_;
};

}  // namespace langdata
