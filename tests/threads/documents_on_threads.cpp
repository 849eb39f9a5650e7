// Independent documents on separate threads share nothing unsynchronised: eight documents, PDF and
// PostScript, with text, paragraphs, figures, pictures of every kind and refused operations, are written
// at once on eight threads while another thread keeps replacing the message handler and switching the
// failure messages; each must come out byte for byte as the same document written alone. Built with
// ThreadSanitizer, which ends the program with a failure when it sees a data race.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "paginor/paginor.h"
#include "support/picture_writers.h"

namespace {

using namespace paginor;
using paginor::testing::Bmp;
using paginor::testing::BmpFile;

constexpr int Documents = 8;

std::string ReadWhole(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

// A BMP, a GIF and a JPEG of a few colours, written once before any document starts.
std::vector<std::string> WritePictures(const std::filesystem::path& folder) {
  constexpr int Width = 24, Height = 16;
  std::vector<uint8_t> samples, indices;
  BmpFile bmp = Bmp(Width, Height);
  for (int y = 0; y < Height; ++y) {
    for (int x = 0; x < Width; ++x) {
      const auto red = static_cast<uint8_t>(x * 10), green = static_cast<uint8_t>(y * 15), blue = uint8_t{128};
      samples.insert(samples.end(), {red, green, blue});
      bmp.rows += std::string{static_cast<char>(blue), static_cast<char>(green), static_cast<char>(red)};
      indices.push_back(static_cast<uint8_t>((x / 6 + y / 4) % 4));
    }
  }
  const std::vector<std::string> paths = {(folder / "picture.bmp").string(), (folder / "picture.gif").string(),
                                          (folder / "picture.jpg").string()};
  std::ofstream(paths[0], std::ios::binary) << bmp.Bytes();
  testing::GifPicture gif;
  gif.screenWidth = gif.width = Width;
  gif.screenHeight = gif.height = Height;
  gif.globalColours = {{0, 0, 0}, {255, 0, 0}, {0, 160, 0}, {40, 40, 255}};
  gif.indices = indices;
  if (!testing::WriteGif(paths[1], gif)) return {};
  testing::JpegPicture jpeg;
  jpeg.width = Width;
  jpeg.height = Height;
  jpeg.samples = samples;
  testing::WriteJpeg(paths[2], jpeg);
  return paths;
}

// Document number index: its own properties, pages, fonts, figures and pictures, and operations that
// are refused (each refusal sends its message to the handler while failure messages are on).
void Draw(Document& document, int index, const std::vector<std::string>& pictures) {
  const auto byte = [](int value) { return static_cast<uint8_t>(value % 256); };
  for (int page = 0; page < 2 + index % 3; ++page) {
    document.NewPage(36, 40, 30, 50, byte(255 - 9 * index), 250, byte(230 + page * 7));
    document.SetFont(static_cast<FontNumberConstants>(1 + (index + page) % 3), static_cast<uint8_t>(9 + index),
                     static_cast<FontStyleConstants>(1 + page % 4), static_cast<FontEffectConstants>(index % 3));
    document.WriteTitle("Document " + std::to_string(index) + ", page " + std::to_string(page + 1),
                        AlignmentConstants::Center, static_cast<BulletConstants>(1 + page % 2));
    document.WriteMultiText("Ångström’s café served crème brûlée — 50 € each — to Müller and Françoise; "
                            "the quick brown fox jumps over the lazy dog " + std::to_string(index * page),
                            2, AlignmentConstants::NoAlignment, index % 2 == 1, static_cast<int16_t>(200 + 20 * index));
    document.SetColor(byte(30 * index), byte(200 - 20 * page), 90);
    document.SetFillColor(250, byte(100 + 10 * index), 0);
    document.SetFillStyle(page % 2 == 0);
    document.SetThickness(static_cast<uint8_t>(1 + index % 3));
    document.SetDash(index % 3 == 0 ? "" : "4 " + std::to_string(index));
    document.DrawLine(0, 300, static_cast<int16_t>(100 + 40 * index), 340);
    document.DrawRectangle(10, 360, 80, static_cast<int16_t>(20 + index));
    document.DrawCircle(150, 380, static_cast<int16_t>(10 + index));
    document.DrawEllipse(250, 380, 40, static_cast<int16_t>(5 + index));
    document.DrawArc(350, 380, 30, static_cast<float>(15 * index), static_cast<float>(300 - 25 * page));
    document.DrawCurve(0, 420, 100, static_cast<int16_t>(400 - 5 * index), 200, 440);
    document.SetPosition(0, 460);
    document.SetPictureDimensions(static_cast<int16_t>(60 + 5 * index), 40);
    document.DrawPicture(pictures[static_cast<size_t>(index + page) % pictures.size()], AlignmentConstants::NoAlignment,
                         static_cast<EncodingConstants>(1 + (index + page) % 4));
    document.WriteText(std::string(200, 'W'));  // too wide: refused
    document.DrawPicture("/nonexistent/picture.bmp");  // refused
  }
}

// The whole document number index, written to a file or collected in memory as index says.
std::string Write(int index, const std::vector<std::string>& pictures, const std::filesystem::path& folder,
                  const std::string& label) {
  PDF pdf;
  PS ps;
  Document& document = index % 2 == 0 ? static_cast<Document&>(pdf) : static_cast<Document&>(ps);
  document.SetTitle("Document " + std::to_string(index) + " — café");
  document.SetAuthor("Thread " + std::to_string(index));
  document.SetCreator("documents_on_threads");
  document.SetOrientation(index % 4 < 2 ? OrientationConstants::Portrait : OrientationConstants::Landscape);
  document.SetPaperSize(index % 3 == 0 ? PaperSizeConstants::A4 : PaperSizeConstants::Letter);
  document.SetRotated(index % 5 == 0);
  const bool inMemory = index % 4 != 3;
  const std::string path = (folder / (std::to_string(index) + "-" + label)).string();
  if (!(inMemory ? document.CreateInMemory() : document.Create(path))) return "Create failed";
  Draw(document, index, pictures);
  if (!document.Flush()) return "Flush failed";
  return inMemory ? document.TakeOutput() : ReadWhole(path);
}

}  // namespace

int main() {
  ::setenv("SOURCE_DATE_EPOCH", "1796703518", 1);  // the same creation date for every document
  const char* temporary = std::getenv("PAGINOR_TEST_TMP");
  const std::filesystem::path folder =
      std::filesystem::path(temporary != nullptr ? temporary : std::filesystem::temp_directory_path().string()) /
      ("documents-on-threads-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const std::vector<std::string> pictures = WritePictures(folder);
  if (pictures.empty()) {
    std::fprintf(stderr, "the test pictures could not be written\n");
    return 1;
  }

  std::atomic<int> messages{0};
  const auto counting = [&messages](const std::string&, const std::string&, MessageIcon) { ++messages; };
  std::vector<std::string> alone;
  SetMessageHandler(counting);
  SetFailureMessages(true);
  for (int index = 0; index < Documents; ++index) alone.push_back(Write(index, pictures, folder, "alone"));

  int failures = 0;
  for (int round = 0; round < 2; ++round) {
    std::vector<std::string> together(Documents);
    std::atomic<bool> finished{false};
    std::latch start(Documents + 1);
    // Meanwhile the process-wide settings change under the documents' feet.
    std::thread disturber([&] {
      start.arrive_and_wait();
      for (int turn = 0; !finished; ++turn) {
        SetFailureMessages(turn % 2 == 0);
        if (turn % 3 == 0) {
          SetMessageHandler(nullptr);
        } else {
          SetMessageHandler(counting);
        }
        std::this_thread::yield();
      }
    });
    std::vector<std::thread> writers;
    for (int index = 0; index < Documents; ++index) {
      writers.emplace_back([&, index] {
        start.arrive_and_wait();
        together[static_cast<size_t>(index)] = Write(index, pictures, folder, "together");
      });
    }
    for (std::thread& writer : writers) writer.join();
    finished = true;
    disturber.join();
    for (int index = 0; index < Documents; ++index) {
      const std::string& written = together[static_cast<size_t>(index)];
      const std::string& expected = alone[static_cast<size_t>(index)];
      const bool same = written == expected && written.size() > 1000;
      if (!same) {
        std::fprintf(stderr, "round %d, document %d: %zu bytes on its thread, %zu written alone\n", round, index,
                     written.size(), expected.size());
        ++failures;
      }
    }
  }
  SetMessageHandler(nullptr);
  SetFailureMessages(false);
  std::filesystem::remove_all(folder);
  if (messages == 0) {
    std::fprintf(stderr, "no message reached the handler\n");
    ++failures;
  }
  std::printf("%d documents on %d threads, twice: %s\n", Documents, Documents, failures == 0 ? "all as written alone" : "DIFFERENT");
  return failures == 0 ? 0 : 1;
}
