#pragma once
// The value tokens of one setAttr, taken in order: from tokens the statement stores, or straight from the text
// for a streamed statement, so that decoders see one kind of source and always know how many are left.

#include "scene_readers/maya_ascii/statement_reader.h"
#include "scene_readers/maya_ascii/values.h"

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

    // The next value when it is a plain number, as parseNumber reads it; false, with nothing taken, for any
    // other value (take() then hands it out). Only while !done(). Large arrays are almost all numbers, and this
    // reads each of them once instead of as a token first.
    bool takeNumber(double& value)
    {
        if (reader_ == nullptr) {
            if (position_->kind != TokenKind::Word || !parseNumber(position_->text, value))
                return false;
            ++position_;
        } else if (buffered_ || !reader_->nextNumber(value)) {
            return false;
        }
        --remaining_;
        return true;
    }

    // The same for a plain integer, as parseInteger reads it.
    bool takeInteger(int64_t& value)
    {
        if (reader_ == nullptr) {
            if (position_->kind != TokenKind::Word || !parseInteger(position_->text, value))
                return false;
            ++position_;
        } else if (buffered_ || !reader_->nextInteger(value)) {
            return false;
        }
        --remaining_;
        return true;
    }

    // The reader of a streamed statement (null for stored tokens), and the mark that its values were read
    // by other means (StatementReader::plainValueText).
    StatementReader* streamedReader() const { return buffered_ ? nullptr : reader_; }
    void takeAll() { remaining_ = 0; }

private:
    const Token* position_ = nullptr;
    StatementReader* reader_ = nullptr;
    size_t remaining_;
    bool buffered_ = false;
    Token buffer_;
};

} // namespace mayaascii
