#include "common/json_writer.h"

#include <cmath>
#include <cstdio>

void JsonWriter::key(const char* name) {
    if (!first_) out_ += ',';
    first_ = false;
    if (name != nullptr) {
        out_ += '"';
        out_ += name;
        out_ += "\":";
    }
}

void JsonWriter::number(double value) {
    if (!std::isfinite(value)) {  // JSON has no infinities
        out_ += "null";
        return;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    out_ += text;
}

void JsonWriter::beginObject(const char* name) {
    key(name);
    out_ += '{';
    first_ = true;
}

void JsonWriter::endObject() {
    out_ += '}';
    first_ = false;
}

void JsonWriter::beginArray(const char* name) {
    key(name);
    out_ += '[';
    first_ = true;
}

void JsonWriter::endArray() {
    out_ += ']';
    first_ = false;
}

void JsonWriter::field(const char* name, double value) {
    key(name);
    number(value);
}

void JsonWriter::field(const char* name, int value) {
    key(name);
    out_ += std::to_string(value);
}

void JsonWriter::field(const char* name, bool value) {
    key(name);
    out_ += value ? "true" : "false";
}

void JsonWriter::field(const char* name, const float* values, int count) {
    beginArray(name);
    for (int i = 0; i < count; ++i) value(values[i]);
    endArray();
}

void JsonWriter::string(const char* text) {
    out_ += '"';
    for (const char* c = text; *c != '\0'; ++c) {
        unsigned char byte = static_cast<unsigned char>(*c);
        if (byte == '"' || byte == '\\') {
            out_ += '\\';
            out_ += *c;
        } else if (byte < 0x20 || byte >= 0x80) {  // control bytes and non-ASCII as escapes
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            out_ += escaped;
        } else {
            out_ += *c;
        }
    }
    out_ += '"';
}

void JsonWriter::field(const char* name, const char* text) {
    key(name);
    string(text);
}

void JsonWriter::value(double v) {
    key(nullptr);
    number(v);
}

void JsonWriter::value(const char* text) {
    key(nullptr);
    string(text);
}
