#pragma once
// The value tokens of one setAttr, taken in order: from tokens the statement stores, or straight from the text
// for a streamed statement, so that decoders see one kind of source and always know how many are left.

#include "scene_readers/maya_ascii/statement_reader.h"

namespace mayaascii {

class ValueTokens {
public:
    ValueTokens(const Token* begin, const Token* end) : position_(begin), remaining_(size_t(end - begin)) {}
    ValueTokens(StatementReader& reader, size_t count) : reader_(&reader), remaining_(count) {}

    size_t remaining() const { return remaining_; }
    bool done() const { return remaining_ == 0; }

    // The next token without taking it; only while !done().
    const Token& peek()
    {
        if (reader_ == nullptr)
            return *position_;
        if (!buffered_) {
            buffer_ = reader_->nextValue();
            buffered_ = true;
        }
        return buffer_;
    }

    // The next token; only while !done().
    Token take()
    {
        --remaining_;
        if (reader_ == nullptr)
            return *position_++;
        if (buffered_) {
            buffered_ = false;
            return buffer_;
        }
        return reader_->nextValue();
    }

private:
    const Token* position_ = nullptr;
    StatementReader* reader_ = nullptr;
    size_t remaining_;
    bool buffered_ = false;
    Token buffer_;
};

} // namespace mayaascii
