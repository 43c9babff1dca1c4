#include "scene_readers/maya_ascii/document_loader.h"

#include "scene_readers/maya_ascii/attribute_names.h"
#include "scene_readers/maya_ascii/geometry_values.h"
#include "scene_readers/maya_ascii/parallel_values.h"
#include "scene_readers/maya_ascii/read_error.h"
#include "scene_readers/maya_ascii/statement_reader.h"
#include "scene_readers/maya_ascii/values.h"

#include <unordered_map>

namespace mayaascii {

namespace {

// Types of the scene's own default nodes that files select and connect without creating them.
const char* defaultNodeType(const std::string& name)
{
    static const std::unordered_map<std::string, const char*> types = {
        {"lambert1", "lambert"}, {"initialShadingGroup", "shadingEngine"},
        {"initialParticleSE", "shadingEngine"}, {"defaultLightSet", "objectSet"},
        {"defaultObjectSet", "objectSet"}, {"time1", "time"}, {"persp", "transform"}, {"top", "transform"},
        {"front", "transform"}, {"side", "transform"}, {"perspShape", "camera"}, {"topShape", "camera"},
        {"frontShape", "camera"}, {"sideShape", "camera"}};
    auto found = types.find(name);
    return found == types.end() ? "" : found->second;
}

std::string withoutRootNamespace(const std::string& name)
{
    return !name.empty() && name[0] == ':' ? name.substr(1) : name;
}

class DocumentLoader {
public:
    explicit DocumentLoader(SceneDocument& document) : document_(document) {}

    void run(std::string_view text)
    {
        StatementReader reader(text);
        reader_ = &reader;
        Statement statement;
        while (reader.next(statement))
            dispatch(statement);
        reader_ = nullptr;
        if (unresolvedConnections_ > 1)
            document_.warnings.push_back(std::to_string(unresolvedConnections_) +
                                         " connections in all name nodes the file does not create; they were skipped");
    }

private:
    void dispatch(const Statement& s)
    {
        const std::string_view command = s.command;
        if (command == "createNode")
            createNode(s);
        else if (command == "setAttr")
            setAttr(s);
        else if (command == "connectAttr")
            connectAttr(s);
        else if (command == "select")
            select(s);
        else if (command == "parent")
            parent(s);
        else if (command == "addAttr")
            addAttr(s);
        else if (command == "currentUnit")
            currentUnit(s);
        else if (command == "requires")
            requiresStatement(s);
        else if (command == "file")
            file(s);
        else if (command == "fileInfo" || command == "rename" || command == "relationship" ||
                 command == "lockNode" || command == "dataStructure" || command == "disconnectAttr")
            return;  // metadata, ids, light links, locks: nothing the scene needs
        else
            skip(s);
    }

    void skip(const Statement& s)
    {
        ++document_.skippedStatements;
        ++document_.skippedCommands[std::string(s.command)];
    }

    // ---- nodes -----------------------------------------------------------------------------------

    int addNode(const std::string& type, const std::string& name, int parent, int line)
    {
        Node node;
        node.type = type;
        node.name = name;
        node.parent = parent;
        node.line = line;
        document_.nodes.push_back(std::move(node));
        const int index = int(document_.nodes.size()) - 1;
        document_.nodesByName[name].push_back(index);
        return index;
    }

    int resolve(const std::string& nameOrPath, int line, const char* role)
    {
        int index = findDocumentNode(document_, nameOrPath);
        if (index < 0)
            throw ReadError(line, std::string("expected ") + role + " naming a node created earlier, found \"" +
                                      nameOrPath + "\"" +
                                      (document_.nodesByName.count(withoutRootNamespace(nameOrPath)) ? " (ambiguous)" : ""));
        return index;
    }

    // A node referred to by name: created earlier, or one of the scene's own default nodes.
    int resolveOrDefault(const std::string& nameOrPath, int line)
    {
        int index = findDocumentNode(document_, nameOrPath);
        if (index >= 0)
            return index;
        // Only names in the root namespace (":time1") or of the known defaults are the scene's own.
        const std::string name = withoutRootNamespace(nameOrPath);
        if (name.empty() || name.find('|') != std::string::npos || document_.nodesByName.count(name) ||
            (nameOrPath[0] != ':' && defaultNodeType(name)[0] == '\0'))
            return -1;
        index = addNode(defaultNodeType(name), name, -1, line);
        document_.nodes[index].defaultNode = true;
        document_.nodes[index].shared = true;
        return index;
    }

    void createNode(const Statement& s)
    {
        const auto& a = s.arguments;
        std::string type, name, parentName;
        bool shared = false;
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i].kind == TokenKind::Flag) {
                const std::string_view flag = a[i].text;
                if (flag == "-n" || flag == "-name" || flag == "-p" || flag == "-parent") {
                    if (i + 1 >= a.size())
                        throw ReadError(a[i].line, "expected a name after " + std::string(flag) + ", found ';'");
                    (flag == "-n" || flag == "-name" ? name : parentName) = textArgument(a[++i], "a node name");
                } else if (flag == "-s" || flag == "-shared") {
                    shared = true;
                } else if (flag == "-ss" || flag == "-skipSelect") {
                } else {
                    throw ReadError(a[i].line, "expected a createNode flag (-n, -p, -s or -ss), found " +
                                                   describeToken(a[i]));
                }
            } else if (type.empty()) {
                type = textArgument(a[i], "a node type");
            } else {
                throw ReadError(a[i].line, "expected a createNode flag, found " + describeToken(a[i]));
            }
        }
        if (type.empty())
            throw ReadError(s.line, "expected a node type after createNode");
        if (name.empty())
            name = type + std::to_string(++generatedNames_[type]);
        name = withoutRootNamespace(name);
        const int parent = parentName.empty() ? -1 : resolve(parentName, s.line, "a parent (-p)");
        if (shared) {
            // A shared node merges with the scene's own node of that name.
            int existing = findDocumentNode(document_, parent >= 0 ? fullPath(parent) + "|" + name : name);
            if (existing >= 0) {
                Node& node = document_.nodes[existing];
                node.type = type;
                node.defaultNode = false;
                current_ = existing;
                return;
            }
        }
        current_ = addNode(type, name, parent, s.line);
        document_.nodes[current_].shared = shared;
    }

    std::string fullPath(int index) const
    {
        std::string path;
        for (int i = index; i >= 0; i = document_.nodes[i].parent)
            path = "|" + document_.nodes[i].name + path;
        return path;
    }

    void select(const Statement& s)
    {
        for (const Token& token : s.arguments) {
            if (token.kind == TokenKind::Flag)
                continue;  // -ne, -r, -add: the last name given becomes the current node
            std::string name = textArgument(token, "a node name");
            int index = resolveOrDefault(name, token.line);
            if (index < 0)
                throw ReadError(token.line, "expected select to name a node, found \"" + name + "\"");
            current_ = index;
        }
    }

    void parent(const Statement& s)
    {
        std::vector<std::string> names;
        bool add = false, world = false;
        for (const Token& token : s.arguments) {
            if (token.kind == TokenKind::Flag) {
                if (token.text == "-add" || token.text == "-addObject")
                    add = true;
                else if (token.text == "-w" || token.text == "-world")
                    world = true;
                continue;  // -s, -nc, -r, -a: how to parent, not what
            }
            names.push_back(textArgument(token, "a node name"));
        }
        if (names.size() < (world ? 1u : 2u))
            throw ReadError(s.line, "expected the nodes to parent and their new parent");
        const int newParent = world ? -1 : resolve(names.back(), s.line, "a parent");
        if (!world)
            names.pop_back();
        for (const std::string& name : names) {
            const int child = resolve(name, s.line, "a node to parent");
            Node& node = document_.nodes[child];
            if (add)
                node.extraParents.push_back(newParent);
            else
                node.parent = newParent;
        }
    }

    void addAttr(const Statement& s)
    {
        if (current_ < 0)
            throw ReadError(s.line, "expected createNode or select before addAttr (no current node)");
        DynamicAttribute attribute;
        attribute.line = s.line;
        const auto& a = s.arguments;
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i].kind != TokenKind::Flag)
                continue;  // a trailing node name: the current node is meant
            const std::string_view flag = a[i].text;
            // Every flag but the few switches takes the token after it as its value.
            const bool hasValue = i + 1 < a.size() && a[i + 1].kind != TokenKind::Flag;
            const std::string value = hasValue ? textArgument(a[i + 1], "a value") : std::string();
            if (flag == "-ln" || flag == "-longName")
                attribute.longName = value;
            else if (flag == "-sn" || flag == "-shortName")
                attribute.shortName = value;
            else if (flag == "-at" || flag == "-attributeType")
                attribute.type = value;
            else if (flag == "-dt" || flag == "-dataType") {
                attribute.type = value;
                attribute.dataType = true;
            } else if (flag == "-m" || flag == "-multi")
                attribute.isArray = true;
            else if (flag == "-p" || flag == "-parent")
                attribute.isChild = true;
            if (hasValue && flag != "-m" && flag != "-multi" && flag != "-uac" && flag != "-usedAsColor")
                ++i;
        }
        if (attribute.longName.empty() && attribute.shortName.empty())
            throw ReadError(s.line, "expected -ln or -sn to name the attribute in addAttr");
        if (attribute.longName.empty())
            attribute.longName = attribute.shortName;
        if (attribute.shortName.empty())
            attribute.shortName = attribute.longName;
        document_.nodes[current_].dynamicAttributes.push_back(std::move(attribute));
    }

    void currentUnit(const Statement& s)
    {
        const auto& a = s.arguments;
        for (size_t i = 0; i < a.size(); ++i) {
            if (a[i].kind != TokenKind::Flag)
                throw ReadError(a[i].line, "expected a currentUnit flag (-l, -a or -t), found " + describeToken(a[i]));
            const std::string_view flag = a[i].text;
            if (i + 1 >= a.size())
                throw ReadError(a[i].line, "expected a unit after " + std::string(flag) + ", found ';'");
            const std::string unit = textArgument(a[++i], "a unit");
            if (flag == "-l" || flag == "-linear") {
                if (centimetresPerUnit(unit) == 0.0)
                    throw ReadError(a[i].line, "expected a linear unit (mm, cm, m, km, in, ft, yd or mi), found \"" +
                                                   unit + "\"");
                document_.linearUnit = unit;
            } else if (flag == "-a" || flag == "-angle") {
                if (degreesPerUnit(unit) == 0.0)
                    throw ReadError(a[i].line, "expected an angle unit (degree or radian), found \"" + unit + "\"");
                document_.angleUnit = unit;
            }
        }
    }

    void requiresStatement(const Statement& s)
    {
        std::vector<std::string> texts;
        bool nodeType = false;
        for (size_t i = 0; i < s.arguments.size(); ++i) {
            const Token& token = s.arguments[i];
            if (token.kind == TokenKind::Flag) {
                // -nodeType and -dataType take a type name; the plug-in name follows.
                if (token.text == "-nodeType" || token.text == "-dataType") {
                    nodeType = true;
                    ++i;
                }
                continue;
            }
            texts.push_back(textArgument(token, "a plug-in name"));
        }
        if (!texts.empty() && texts[0] != "maya")
            document_.requiredPlugins.insert(texts[0]);
        // "2018", "2018ff07", "2016 Extension 2": the leading year.
        if (texts.size() >= 2 && texts[0] == "maya") {
            int year = 0;
            for (size_t i = 0; i < texts[1].size() && i < 4 && texts[1][i] >= '0' && texts[1][i] <= '9'; ++i)
                year = 10 * year + (texts[1][i] - '0');
            document_.hostVersion = year;
        }
        (void)nodeType;
    }

    void file(const Statement& s)
    {
        std::string path;
        for (const Token& token : s.arguments)
            if (token.kind == TokenKind::String)
                path = unescapeString(token.text);
        document_.warnings.push_back("line " + std::to_string(s.line) + ": referenced file \"" + path +
                                     "\" not loaded (references are not supported)");
    }

    // ---- connections ------------------------------------------------------------------------------

    void connectAttr(const Statement& s)
    {
        std::vector<std::string> plugs;
        bool nextAvailable = false;
        for (const Token& token : s.arguments) {
            if (token.kind == TokenKind::Flag) {
                if (token.text == "-na" || token.text == "-nextAvailable")
                    nextAvailable = true;
                continue;  // -f, -l: no effect on what is connected
            }
            plugs.push_back(textArgument(token, "a plug"));
        }
        if (plugs.size() != 2)
            throw ReadError(s.line, "expected two plugs (source and destination) in connectAttr, found " +
                                        std::to_string(plugs.size()));
        Connection connection;
        connection.nextAvailable = nextAvailable;
        connection.line = s.line;
        if (!splitPlug(plugs[0], s.line, connection.sourceNode, connection.sourcePlug) ||
            !splitPlug(plugs[1], s.line, connection.destinationNode, connection.destinationPlug)) {
            ++unresolvedConnections_;
            if (unresolvedConnections_ == 1)
                document_.warnings.push_back("line " + std::to_string(s.line) + ": connection " + plugs[0] + " -> " +
                                             plugs[1] + " names a node the file does not create");
            return;
        }
        document_.connections.push_back(std::move(connection));
    }

    bool splitPlug(const std::string& plug, int line, int& node, std::string& attribute)
    {
        const size_t dot = plug.find('.');
        if (dot == std::string::npos || dot == 0 || dot + 1 == plug.size())
            throw ReadError(line, "expected a plug of the form node.attribute, found \"" + plug + "\"");
        node = resolveOrDefault(plug.substr(0, dot), line);
        // Long names become short ones element by element ("instObjGroups[0]" -> "iog[0]").
        std::string rest = plug.substr(dot + 1);
        std::string normalised;
        size_t start = 0;
        while (start <= rest.size()) {
            size_t end = rest.find('.', start);
            if (end == std::string::npos)
                end = rest.size();
            std::string element = rest.substr(start, end - start);
            const size_t bracket = element.find('[');
            std::string base = element.substr(0, bracket);
            std::string index = bracket == std::string::npos ? "" : element.substr(bracket);
            int64_t value = 0;
            if (!index.empty() && (index.back() != ']' ||
                                   !parseElementIndex(std::string_view(index).substr(1, index.size() - 2), value)))
                throw ReadError(line, "expected element indices from 0 to " + std::to_string(kMaxElementIndex) +
                                          " in the plug \"" + plug.substr(0, 80) + "\"");
            if (!normalised.empty())
                normalised += '.';
            normalised += shortAttributeName(base) + index;
            start = end + 1;
        }
        attribute = normalised;
        return node >= 0;
    }

    // ---- setAttr ----------------------------------------------------------------------------------

    void setAttr(const Statement& s)
    {
        if (current_ < 0)
            throw ReadError(s.line, "expected createNode or select before setAttr (no current node)");
        const auto& a = s.arguments;
        std::string path, dataType;
        int pathLine = s.line;
        int64_t size = -1;
        bool havePath = false;
        // Value tokens of a statement that stores them: only their span and count are kept.
        size_t firstValue = 0, lastValue = 0, valueCount = s.valueCount;
        for (size_t i = 0; i < a.size(); ++i) {
            const Token& token = a[i];
            if (token.kind == TokenKind::Flag) {
                const std::string_view flag = token.text;
                if (flag == "-k" || flag == "-keyable" || flag == "-l" || flag == "-lock" || flag == "-cb" ||
                    flag == "-channelBox" || flag == "-ca" || flag == "-caching") {
                    if (i + 1 >= a.size())
                        throw ReadError(token.line, "expected on or off after " + std::string(flag) + ", found ';'");
                    booleanArgument(a[++i], "on or off");
                } else if (flag == "-s" || flag == "-size" || flag == "-ch" || flag == "-capacityHint") {
                    if (i + 1 >= a.size())
                        throw ReadError(token.line, "expected a count after " + std::string(flag) + ", found ';'");
                    int64_t count = integerArgument(a[++i], "a count");
                    if (count < 0)
                        throw ReadError(token.line, "expected a count of 0 or more after " + std::string(flag));
                    if (flag == "-s" || flag == "-size")
                        size = count;
                } else if (flag == "-type" || flag == "-typ") {
                    if (i + 1 >= a.size())
                        throw ReadError(token.line, "expected a type name after -type, found ';'");
                    dataType = textArgument(a[++i], "a type name");
                } else if (flag == "-av" || flag == "-alteredValue" || flag == "-c" || flag == "-clamp") {
                } else {
                    throw ReadError(token.line, "expected a setAttr flag (-k, -l, -cb, -av, -s, -ch, -type), found " +
                                                    describeToken(token));
                }
            } else if (!havePath) {
                if (token.kind != TokenKind::String)
                    throw ReadError(token.line, "expected a quoted attribute name (\".attr\"), found " +
                                                    describeToken(token));
                path = unescapeString(token.text);
                pathLine = token.line;
                havePath = true;
            } else {
                if (valueCount++ == 0)
                    firstValue = i;
                lastValue = i;
            }
        }
        if (!havePath)
            throw ReadError(s.line, "expected an attribute name in setAttr");
        std::vector<PathElement> elements = parseAttributePath(path, pathLine);
        for (PathElement& element : elements)
            element.name = shortAttributeName(element.name);
        Node& node = document_.nodes[current_];
        const std::string key = attributeKey(elements);
        const PathElement& last = elements.back();
        auto inserted = node.attributes.try_emplace(key);
        Attribute& attribute = inserted.first->second;
        if (inserted.second) {
            attribute.line = pathLine;
            node.attributeOrder.push_back(key);
        }
        if (size >= 0 && !last.indexed)
            attribute.announcedSize = size;
        if (valueCount == 0 && (dataType.empty() || dataType == "string"))
            return;  // flags only (-k off, -s N): no value

        Value value;
        value.dataType = dataType;
        value.line = pathLine;
        if (s.streamed) {
            ValueTokens tokens(*reader_, s.valueCount);
            decodeValue(tokens, value, pathLine);
        } else if (valueCount > 0 && lastValue - firstValue + 1 != valueCount) {
            // Flags among the values (rare): the values gathered without them.
            std::vector<Token> gathered;
            for (size_t i = firstValue; i <= lastValue; ++i)
                if (a[i].kind != TokenKind::Flag && (i == 0 || !takesArgument(a[i - 1])))
                    gathered.push_back(a[i]);
            ValueTokens tokens(gathered.data(), gathered.data() + gathered.size());
            decodeValue(tokens, value, pathLine);
        } else {
            ValueTokens tokens(a.data() + firstValue, a.data() + firstValue + valueCount);
            decodeValue(tokens, value, pathLine);
        }
        convertUnits(node.type, elements.front().name, value);
        if (!last.indexed) {
            attribute.plain = std::move(value);
            attribute.hasPlain = true;
            return;
        }
        Chunk chunk;
        chunk.first = last.first;
        chunk.count = last.last - last.first + 1;
        chunk.value = std::move(value);
        checkChunkSize(chunk, path, pathLine);
        attribute.chunks.push_back(std::move(chunk));
    }

    // Element values must divide evenly over the range; polyFaces must give exactly one face per index.
    void checkChunkSize(const Chunk& chunk, const std::string& path, int line)
    {
        const Value& value = chunk.value;
        if (auto* faces = std::get_if<PolyFacesData>(&value.geometry)) {
            if (faces->faceCount() != uint64_t(chunk.count))
                throw ReadError(line, "expected " + std::to_string(chunk.count) + " faces for \"" + path +
                                          "\", found " + std::to_string(faces->faceCount()));
            return;
        }
        const size_t items = value.numbers.size();
        if (items == 0 || !std::holds_alternative<std::monostate>(value.geometry))
            return;
        if (items % uint64_t(chunk.count) != 0)
            throw ReadError(line, "expected a multiple of " + std::to_string(chunk.count) + " values for \"" + path +
                                      "\", found " + std::to_string(items));
    }

    static bool isTupleType(const std::string& type)
    {
        return type == "double2" || type == "double3" || type == "double4" || type == "float2" || type == "float3" ||
               type == "long2" || type == "long3" || type == "short2" || type == "short3" || type == "matrix";
    }

    // A setAttr flag that the next token belongs to.
    static bool takesArgument(const Token& token)
    {
        return token.kind == TokenKind::Flag && setAttrFlagTakesArgument(token.text);
    }

    // Decodes the value tokens by the value's type; a streamed statement's tokens are read as they are taken.
    void decodeValue(ValueTokens& tokens, Value& value, int line)
    {
        const std::string& type = value.dataType;
        const size_t count = tokens.remaining();
        if (type.empty() || isTupleType(type)) {
            if (type == "matrix" && count > 0 && tokens.peek().kind == TokenKind::String) {
                value.dataType = "matrix xform";  // transformation-matrix form: not read by the builders
                return;
            }
            value.numbers.reserve(count);
            readNumbersOnTwoThreads(tokens, value.numbers); // a long plain list: taken whole, or left as it is
            while (!tokens.done()) {
                double number = 0;
                if (tokens.takeNumber(number)) {
                    value.numbers.push_back(number);
                    continue;
                }
                const Token t = tokens.take();
                if (type.empty() && t.kind == TokenKind::String) {
                    value.strings.push_back(unescapeString(t.text));
                    continue;
                }
                value.numbers.push_back(numberArgument(t, "a number"));
            }
            const size_t width = type == "matrix" ? 16 : type.empty() ? 1 : size_t(type.back() - '0');
            if (!type.empty() && (value.numbers.empty() || value.numbers.size() % width != 0))
                throw ReadError(line, "expected groups of " + std::to_string(width) + " numbers for -type \"" + type +
                                          "\", found " + std::to_string(value.numbers.size()));
        } else if (type == "string") {
            if (count != 1)
                throw ReadError(line, "expected one string value, found " + std::to_string(count) + " values");
            value.strings.push_back(textArgument(tokens.take(), "a string value"));
        } else if (type == "stringArray" || type == "componentList") {
            // The host writes an empty component list without a count.
            if (count == 0 && type == "componentList")
                return;
            if (count == 0)
                throw ReadError(line, "expected a count for -type \"" + type + "\"");
            int64_t n = integerArgument(tokens.take(), "a string count");
            if (n < 0 || uint64_t(n) != count - 1)
                throw ReadError(line, "expected " + std::to_string(n) + " strings after the count, found " +
                                          std::to_string(count - 1));
            while (!tokens.done())
                value.strings.push_back(textArgument(tokens.take(), "a string"));
        } else if (type == "Int32Array" || type == "doubleArray" || type == "floatArray" || type == "vectorArray" ||
                   type == "pointArray") {
            if (count == 0)
                throw ReadError(line, "expected a count for -type \"" + type + "\"");
            int64_t n = integerArgument(tokens.take(), "an element count");
            const uint64_t width = type == "vectorArray" ? 3 : type == "pointArray" ? 4 : 1;
            if (n < 0 || uint64_t(n) > (count - 1) / width || uint64_t(n) * width != count - 1)
                throw ReadError(line, "expected " + std::to_string(n) + " elements after the count, found " +
                                          std::to_string(count - 1) + " values");
            value.numbers.reserve(count - 1);
            while (!tokens.done())
                value.numbers.push_back(numberArgument(tokens.take(), "a number"));
        } else if (type == "polyFaces") {
            PolyFacesData faces;
            value.geometry = readPolyFacesOnTwoThreads(tokens, faces) ? std::move(faces) : decodePolyFaces(tokens, line);
        } else if (type == "nurbsCurve") {
            value.geometry = decodeNurbsCurve(tokens, line);
        } else if (type == "nurbsSurface") {
            value.geometry = decodeNurbsSurface(tokens, line);
        } else if (type == "lattice") {
            value.geometry = decodeLattice(tokens, line);
        }
        // Any other type (dataPolyComponent, mesh, nurbsTrimface, ...) is kept as its name only.
    }

    void convertUnits(const std::string& nodeType, const std::string& attribute, Value& value)
    {
        const UnitKind kind = attributeUnitKind(nodeType, attribute);
        if (kind == UnitKind::None)
            return;
        const double factor = kind == UnitKind::Length ? centimetresPerUnit(document_.linearUnit)
                                                       : degreesPerUnit(document_.angleUnit);
        if (factor == 1.0)
            return;
        for (double& number : value.numbers)
            number *= factor;
        auto scalePoints = [factor](std::vector<double>& cvs, size_t stride) {
            for (size_t i = 0; i < cvs.size(); ++i)
                if (i % stride < 3)
                    cvs[i] *= factor;
        };
        if (auto* curve = std::get_if<NurbsCurveData>(&value.geometry))
            scalePoints(curve->cvs, curve->rational ? 4 : 3);
        else if (auto* surface = std::get_if<NurbsSurfaceData>(&value.geometry))
            scalePoints(surface->cvs, surface->rational ? 4 : 3);
        else if (auto* lattice = std::get_if<LatticeData>(&value.geometry))
            scalePoints(lattice->points, 3);
    }

    SceneDocument& document_;
    int current_ = -1;
    int unresolvedConnections_ = 0;
    StatementReader* reader_ = nullptr;
    std::unordered_map<std::string, int> generatedNames_;
};

} // namespace

void loadDocument(std::string_view text, SceneDocument& document)
{
    DocumentLoader(document).run(text);
}

int findDocumentNode(const SceneDocument& document, const std::string& nameOrPath)
{
    if (nameOrPath.find('|') == std::string::npos) {
        auto found = document.nodesByName.find(withoutRootNamespace(nameOrPath));
        if (found == document.nodesByName.end() || found->second.size() != 1)
            return -1;
        return found->second[0];
    }
    // A DAG path: the leaf's candidates whose chain of parents spells the rest of the path.
    std::vector<std::string> parts;
    size_t start = 0;
    const bool absolute = nameOrPath[0] == '|';
    if (absolute)
        start = 1;
    while (start <= nameOrPath.size()) {
        size_t end = nameOrPath.find('|', start);
        if (end == std::string::npos)
            end = nameOrPath.size();
        parts.push_back(withoutRootNamespace(nameOrPath.substr(start, end - start)));
        start = end + 1;
    }
    auto found = document.nodesByName.find(parts.back());
    if (found == document.nodesByName.end())
        return -1;
    int match = -1;
    for (int candidate : found->second) {
        // Walk up through the primary parent and any added (instance) parents.
        std::vector<std::pair<int, size_t>> stack{{candidate, parts.size() - 1}};
        bool matched = false;
        while (!stack.empty() && !matched) {
            auto [node, part] = stack.back();
            stack.pop_back();
            if (document.nodes[node].name != parts[part])
                continue;
            const Node& n = document.nodes[node];
            std::vector<int> parents{n.parent};
            parents.insert(parents.end(), n.extraParents.begin(), n.extraParents.end());
            if (part == 0) {
                for (int p : parents)
                    if (!absolute || p < 0)
                        matched = true;
                continue;
            }
            for (int p : parents)
                if (p >= 0)
                    stack.push_back({p, part - 1});
        }
        if (matched) {
            if (match >= 0 && match != candidate)
                return -1;
            match = candidate;
        }
    }
    return match;
}

} // namespace mayaascii
