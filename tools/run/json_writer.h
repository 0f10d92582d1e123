// A small writer for one-line JSON objects, enough for the runner's trace.
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
    const std::string& text() const { return out_; }

private:
    void key(const char* name);
    void number(double value);
    std::string out_;
    bool first_ = true;
};
