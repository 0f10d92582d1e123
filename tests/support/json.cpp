#include "support/json.h"

#include <cstdlib>
#include <sstream>
#include <stdexcept>

namespace {

class Reader {
public:
    explicit Reader(const std::string& text) : s_(text) {}

    Json value() {
        skip();
        Json v;
        if (at('{')) {
            v.kind = Json::Object;
            ++i_;
            skip();
            if (at('}')) {
                ++i_;
                return v;
            }
            do {
                skip();
                std::string key = string();
                skip();
                expect(':');
                v.fields[key] = value();
                skip();
            } while (take(','));
            expect('}');
        } else if (at('[')) {
            v.kind = Json::Array;
            ++i_;
            skip();
            if (at(']')) {
                ++i_;
                return v;
            }
            do v.items.push_back(value());
            while (take(','));
            expect(']');
        } else if (at('"')) {
            v.kind = Json::String;
            v.text = string();
        } else if (s_.compare(i_, 4, "true") == 0) {
            v.kind = Json::Bool, v.boolean = true, i_ += 4;
        } else if (s_.compare(i_, 5, "false") == 0) {
            v.kind = Json::Bool, i_ += 5;
        } else if (s_.compare(i_, 4, "null") == 0) {
            i_ += 4;
        } else {
            char* end = nullptr;
            v.kind = Json::Number;
            v.number = std::strtod(s_.c_str() + i_, &end);
            if (end == s_.c_str() + i_)
                throw std::runtime_error("bad JSON at " + std::to_string(i_));
            i_ = end - s_.c_str();
        }
        skip();
        return v;
    }
    bool done() {
        skip();
        return i_ >= s_.size();
    }

private:
    bool at(char c) const { return i_ < s_.size() && s_[i_] == c; }
    bool take(char c) {
        skip();
        if (!at(c)) return false;
        ++i_;
        return true;
    }
    void expect(char c) {
        skip();
        if (!at(c)) throw std::runtime_error(std::string("expected ") + c);
        ++i_;
    }
    void skip() {
        while (i_ < s_.size() && std::isspace(static_cast<unsigned char>(s_[i_]))) ++i_;
    }
    std::string string() {
        expect('"');
        std::string out;
        while (i_ < s_.size() && s_[i_] != '"') {
            if (s_[i_] == '\\' && i_ + 1 < s_.size()) ++i_;
            out += s_[i_++];
        }
        expect('"');
        return out;
    }
    const std::string& s_;
    size_t i_ = 0;
};

const Json kNull;

}  // namespace

const Json& Json::operator[](const std::string& key) const {
    auto it = fields.find(key);
    return it == fields.end() ? kNull : it->second;
}

const Json& Json::operator[](size_t index) const {
    return index < items.size() ? items[index] : kNull;
}

Json ParseJson(const std::string& text) {
    Reader reader(text);
    Json v = reader.value();
    if (!reader.done()) throw std::runtime_error("trailing text after JSON value");
    return v;
}

std::vector<Json> ParseTrace(const std::string& text) {
    std::vector<Json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(ParseJson(line));
    return lines;
}
