#pragma once

#include "ActivityRecord.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orv::capture {

// What makes two records the same for the repeat test: all five fields equal, letter case
// ignored (simple Unicode lower case; bytes that are not UTF-8 compare as they are). The key is
// the fields escaped as in a log line, joined by TAB and lowered, so that no two different
// records share it: lowering leaves escapes, TABs and control bytes alone and makes none.
class RecordKey {
public:
    explicit RecordKey(const ActivityRecord& record);

    // The key of a log line's five fields as stored (the line after its time and first TAB),
    // when they are in the form the writer gives them and hold no '\' and no control byte besides
    // the four TABs between them. Nothing otherwise: such fields are unescaped first.
    static std::optional<RecordKey> ofStoredFields(std::string_view stored);

    const std::string& text() const { return text_; }
    std::uint64_t hash() const { return hash_; }

    friend bool operator==(const RecordKey& a, const RecordKey& b) { return a.text_ == b.text_; }

private:
    explicit RecordKey(std::string_view escaped);

    std::string text_;
    std::uint64_t hash_;
};

}  // namespace orv::capture
