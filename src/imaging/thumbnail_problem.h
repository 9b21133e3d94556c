#pragma once
// Why a thumbnail could not be made from a picture, as a value the caller words.

namespace mirulane {

enum class ThumbnailProblem {
    None,
    Unreadable,    // the file cannot be read
    NotItsKind,    // its leading bytes are not those of the kind its name says
    Damaged,       // of its kind, but truncated or corrupt
    TooLarge,      // declares a size (or a file size) over what is decoded
    NotDecodable,  // anything else: a kind or variant that is not decoded here
    TimedOut,      // decoding took longer than a picture is given
};

}  // namespace mirulane
