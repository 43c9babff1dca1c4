#include "scene_readers/maya_ascii/statement_reader.h"

#include "scene_readers/maya_ascii/read_error.h"

namespace mayaascii {

bool StatementReader::next(Statement& statement)
{
    statement.arguments.clear();
    statement.joinedStrings.clear();
    Token first = lexer_.next();
    while (first.kind == TokenKind::Semicolon)
        first = lexer_.next();
    if (first.kind == TokenKind::End)
        return false;
    if (first.kind != TokenKind::Word)
        throw ReadError(first.line, "expected a command name, found " + describeToken(first));
    statement.command = first.text;
    statement.line = first.line;
    // Array values come with setAttr: size those statements before reading them.
    if (statement.command == "setAttr")
        statement.arguments.reserve(lexer_.tokensToSemicolon());
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
