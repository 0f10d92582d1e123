// A small writer for one-line JSON objects: the runner's trace and the cooking tool's reports.
#pragma once

#include <string>

class JsonWriter {
public:
    void beginObject(const char* key = nullptr);
    void endObject();
    void beginArray(const char* key = nullptr);
    void endArray();
    void field(const char* key, double value);
    void field(const char* key, int value);
    void field(const char* key, bool value);
    void field(const char* key, const float* values, int count);  // an array of numbers
    void field(const char* key, const char* text);
    void value(double number);  // an array element
    void value(const char* text);
    const std::string& text() const { return out_; }

private:
    void key(const char* name);
    void number(double value);
    void string(const char* text);
    std::string out_;
    bool first_ = true;
};
