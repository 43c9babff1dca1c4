#include "scene_readers/maya_ascii/statement_reader.h"

#include "scene_readers/maya_ascii/read_error.h"

namespace mayaascii {

bool setAttrFlagTakesArgument(std::string_view flag)
{
    return flag != "-av" && flag != "-alteredValue" && flag != "-c" && flag != "-clamp";
}

bool StatementReader::next(Statement& statement)
{
    if (streaming_) {
        streaming_ = false;
        for (Token rest = lexer_.next(); rest.kind != TokenKind::Semicolon; rest = lexer_.next())
            if (rest.kind == TokenKind::End)
                throw ReadError(rest.line, "expected ';' to end the setAttr statement begun on line " +
                                               std::to_string(statement.line) + ", found end of file");
    }
    statement.arguments.clear();
    statement.joinedStrings.clear();
    statement.streamed = false;
    statement.valueCount = 0;
    Token first = lexer_.next();
    while (first.kind == TokenKind::Semicolon)
        first = lexer_.next();
    if (first.kind == TokenKind::End)
        return false;
    if (first.kind != TokenKind::Word)
        throw ReadError(first.line, "expected a command name, found " + describeToken(first));
    statement.command = first.text;
    statement.line = first.line;
    // Array values come with setAttr: size those statements before reading them, and stream the large ones.
    if (statement.command == "setAttr") {
        const size_t tokens = lexer_.tokensToSemicolon(kStreamedTokens);
        if (tokens > kStreamedTokens) {
            readStreamedHeader(statement);
            return true;
        }
        statement.arguments.reserve(tokens);
    }
    for (;;) {
        Token token = lexer_.next();
        switch (token.kind) {
        case TokenKind::Semicolon:
            return true;
        case TokenKind::End:
            throw ReadError(token.line, "expected ';' to end the " + std::string(statement.command) +
                                            " statement begun on line " + std::to_string(statement.line) +
                                            ", found end of file");
        case TokenKind::OpenParen:
            statement.arguments.push_back(joinStrings(token, statement));
            break;
        case TokenKind::CloseParen:
        case TokenKind::Plus:
            throw ReadError(token.line, "expected a value, found " + describeToken(token));
        default:
            statement.arguments.push_back(token);
            break;
        }
    }
}

// The flags and the attribute name of a streamed setAttr, up to its first value.
void StatementReader::readStreamedHeader(Statement& statement)
{
    bool havePath = false, argumentNext = false;
    for (;;) {
        Lexer ahead = lexer_;
        const Token token = ahead.next();
        if (token.kind == TokenKind::Semicolon || token.kind == TokenKind::End)
            break;
        if (argumentNext)
            argumentNext = false;
        else if (token.kind == TokenKind::Flag)
            argumentNext = setAttrFlagTakesArgument(token.text);
        else if (!havePath)
            havePath = true;
        else
            break;
        lexer_ = ahead;
        statement.arguments.push_back(token.kind == TokenKind::OpenParen ? joinStrings(token, statement) : token);
    }
    statement.streamed = true;
    valuesStart_ = lexer_.position();
    statement.valueCount = lexer_.tokensToSemicolon(size_t(-1), &values_);
    streaming_ = true;
}

std::string_view StatementReader::plainValueText() const
{
    if (!streaming_ || !values_.plain || lexer_.position() != valuesStart_)
        return std::string_view();
    return text_.substr(valuesStart_, values_.end - valuesStart_);
}

Token StatementReader::nextValue()
{
    const Token token = lexer_.next();
    if (token.kind != TokenKind::Word && token.kind != TokenKind::String)
        throw ReadError(token.line, "expected a value, found " + describeToken(token) +
                                        " (a setAttr of many values takes no flags or joined strings among them)");
    return token;
}

Token StatementReader::joinStrings(const Token& open, Statement& statement)
{
    // Raw texts may be joined as they stand: every escape lies wholly inside one piece.
    std::string joined;
    for (;;) {
        Token piece = lexer_.next();
        if (piece.kind != TokenKind::String)
            throw ReadError(piece.line, "expected a string inside '( ... )', found " + describeToken(piece));
        joined.append(piece.text.data(), piece.text.size());
        Token after = lexer_.next();
        if (after.kind == TokenKind::CloseParen)
            break;
        if (after.kind != TokenKind::Plus)
            throw ReadError(after.line, "expected '+' or ')' in a joined string, found " + describeToken(after));
    }
    statement.joinedStrings.push_back(std::move(joined));
    Token token;
    token.kind = TokenKind::String;
    token.text = statement.joinedStrings.back();
    token.line = open.line;
    return token;
}

} // namespace mayaascii
