#pragma once
// What the main window needs from the GIF engine: the frame list with its grid texts,
// loading, the list operations, the writers and the global colour table. The window
// talks only to this interface; the engine-backed implementation owns the records.
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace gifengine {
class GifEngine;
class Reporter;
}

namespace flikkor {

class Prompter;

// Fields of one frame as the parameter panel shows them.
struct FrameFields {
  int left = 0, top = 0, width = 0, height = 0;
  int delay = 0, disposal = 0, transFlag = 0, transIndex = 0;
  int transColour = -1;  // 0xRRGGBB of the table entry at transIndex, -1 outside the table
  int tableSize = 0;     // entries of the frame's colour table
};

// Animation-wide values that a load into an empty list hands to the edit boxes.
struct ScreenValues {
  int width = 0, height = 0, loopCount = 0;
};

// The three edit boxes the writer reads.
struct AnimationBoxes {
  QString width, height, iteration;
};

class AnimationSession {
 public:
  virtual ~AnimationSession() = default;
  // The window's message boxes, for the messages the frame list gives itself.
  virtual void attachPrompter(Prompter*) {}
  // The engine behind the list, for the colour-table and web tools that work on the
  // frame records directly; null for a list without one.
  virtual gifengine::GifEngine* engine() { return nullptr; }
  // The window's message boxes in the engine's form; non-null whenever engine() is.
  virtual gifengine::Reporter* reporter() { return nullptr; }
  virtual int frameCount() const = 0;
  // The ten grid cells of frame i.
  virtual QStringList rowCells(int i) const = 0;
  // Loads every image of a GIF file in front of index `at`; the number of images
  // inserted (0 after a reported failure). `screen` receives the file's values when
  // the list was empty.
  virtual int loadGifFile(const QString& path, int at, std::optional<ScreenValues>& screen) = 0;
  virtual void deleteFrame(int i) = 0;
  virtual void duplicateFrames(int a, int n) = 0;
  virtual void moveFrames(int a, int n, int d) = 0;
  virtual FrameFields frameFields(int i) const = 0;
  virtual void setPosition(int i, int left, int top) = 0;
  virtual void setDelay(int i, int delay) = 0;
  virtual void setDisposal(int i, int disposal) = 0;
  virtual void setTransparency(int i, int flag, int index) = 0;
  // The frame came back from the paint program: its path and name become "Edited".
  virtual void markEdited(int i) = 0;
  // First entry of frame i's colour table equal to 0xRRGGBB, -1 when none.
  virtual int findColour(int i, int colour) const = 0;
  // Writes the animation. With `chooseName` set the make is interactive: the writer
  // gives its warnings and asks for the name (nullopt = cancelled).
  virtual bool makeAnimatedGif(const QString& path, const AnimationBoxes& boxes,
                               const std::function<std::optional<QString>()>& chooseName) = 0;
  virtual bool makeSingleGif(int i, const QString& path) = 0;
  virtual void setGlobalTableFromFrame(int i) = 0;
  virtual void clearGlobalTableUse() = 0;
  // Size estimate text ("" without frames).
  virtual QString predictFileSize(const QString& iteration) const = 0;
  virtual QString animationComment() const = 0;
  virtual void setAnimationComment(const QString& comment) = 0;
  // Logical screen size of the last animation written.
  virtual std::pair<int, int> lastMadeSize() const = 0;
};

}  // namespace flikkor
