#pragma once

#include <optional>
#include <string>

// One compile or run-time error: where it is, the offending source line, the help-topic key
// and the Spanish message. Compile errors carry the code 1.
class ZQErrorInfo {
  public:
    explicit ZQErrorInfo(int code = 1) : errorCode(code) {}
    virtual ~ZQErrorInfo() = default;

    void setLineNumber(int n) { line = n; }
    void setColNumber(int n) { col = n; }
    void setSourceWithError(const char* text) { replace_str(source, text); }
    void setContext(const char* topic) { replace_str(context, topic); }
    void setMessage(const char* text, const char* suffix = nullptr);

    int getLineNumber() const { return line; }
    int getColNumber() const { return col; }
    // Null when the record holds no such text.
    const char* getSourceWithError() const { return c_str(source); }
    const char* getContext() const { return c_str(context); }
    const char* getMessage() const { return c_str(message); }
    int getErrorCode() const { return errorCode; }

  private:
    static void replace_str(std::optional<std::string>& field, const char* text);
    static const char* c_str(const std::optional<std::string>& field) {
        return field ? field->c_str() : nullptr;
    }

    int line = 0;
    int col = 0;
    std::optional<std::string> source;
    std::optional<std::string> context;
    std::optional<std::string> message;
    int errorCode;
};
