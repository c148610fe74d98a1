// Writing the generated images and other files into the game directory.
#pragma once

#include <string>

#include "canvas.h"

namespace assetgen {

// How a canvas becomes a 24-bit picture without alpha channel.
enum class Key {
    None,    // opaque art: transparent parts are composited over black
    Magenta, // sprites: pixels under half coverage become (255, 0, 255)
    White,   // note and lane-line sheets: pixels under half coverage become (255, 255, 255)
};

// How a canvas is stored: 24-bit RGB for the game (colour keys and surface alpha need
// that), or RGBA for pictures outside the game, such as the desktop icon.
enum class Channels { Rgb, Rgba };

// Destination of all files; every write creates the folders it needs. Failures are
// remembered so that main can report them once and exit non-zero.
class Output {
  public:
    explicit Output(std::string root) : root_(std::move(root)) {}
    void png(const std::string &rel, const Canvas &c, Key key, Channels ch = Channels::Rgb);
    void jpeg(const std::string &rel, const Canvas &c, int quality);
    void bytes(const std::string &rel, const void *data, size_t size);
    // Records a file that could not be made; the first one is reported.
    void fail(const std::string &rel);
    bool ok() const { return failed_.empty(); }
    const std::string &first_failure() const { return failed_; }

  private:
    std::string prepare(const std::string &rel);
    std::string root_;
    std::string failed_;
};

} // namespace assetgen
