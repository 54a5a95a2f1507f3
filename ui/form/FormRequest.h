#pragma once
// What a caller asks of a record form and what the form answers.

namespace ui {

enum class FormRequest {
    Insert = 1,
    Change = 2,
    Delete = 3,
    View = 4,
};

enum class FormResponse {
    Done = 1,        // the caller's record holds the stored record
    Cancelled = 2,   // cancelled or refused; also when the form set nothing
    Duplicate = 40,  // a record with the same key exists; the caller's record holds it
};

} // namespace ui
