#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pdf {

// Where a saved document goes. Counting the bytes here gives the cross-reference offsets.
class TPdfWriteStream {
  public:
    virtual ~TPdfWriteStream() = default;

    void Write(std::string_view bytes) {
        WriteBytes(bytes);
        position_ += static_cast<std::int64_t>(bytes.size());
    }
    std::int64_t Position() const { return position_; }

    // Starts the output over at position 0; what was written before is dropped.
    void Rewind() {
        Restart();
        position_ = 0;
    }

  protected:
    virtual void WriteBytes(std::string_view bytes) = 0;
    virtual void Restart() = 0;

  private:
    std::int64_t position_ = 0;
};

class TPdfMemoryStream : public TPdfWriteStream {
  public:
    const std::string& Data() const { return data_; }

  protected:
    void WriteBytes(std::string_view bytes) override { data_.append(bytes); }
    void Restart() override { data_.clear(); }

  private:
    std::string data_;
};

// The text's bytes, unchanged.
inline void WriteText(std::string_view text, TPdfWriteStream& stream) {
    stream.Write(text);
}

}  // namespace pdf
