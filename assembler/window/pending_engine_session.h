#pragma once
// Frame list used by the program until the GIF engine's session is linked in: it holds
// no frames, loads nothing and writes nothing.
#include "window/animation_session.h"

namespace flikkor {

class PendingEngineSession : public AnimationSession {
 public:
  int frameCount() const override { return 0; }
  QStringList rowCells(int) const override { return {}; }
  int loadGifFile(const QString&, int, std::optional<ScreenValues>&) override { return 0; }
  void deleteFrame(int) override {}
  void duplicateFrames(int, int) override {}
  void moveFrames(int, int, int) override {}
  FrameFields frameFields(int) const override { return {}; }
  void setPosition(int, int, int) override {}
  void setDelay(int, int) override {}
  void setDisposal(int, int) override {}
  void setTransparency(int, int, int) override {}
  void markEdited(int) override {}
  int findColour(int, int) const override { return -1; }
  bool makeAnimatedGif(const QString&, const AnimationBoxes&,
                       const std::function<std::optional<QString>()>&) override { return false; }
  bool makeSingleGif(int, const QString&) override { return false; }
  void setGlobalTableFromFrame(int) override {}
  void clearGlobalTableUse() override {}
  QString predictFileSize(const QString&) const override { return {}; }
  QString animationComment() const override { return comment_; }
  void setAnimationComment(const QString& comment) override { comment_ = comment; }
  std::pair<int, int> lastMadeSize() const override { return {0, 0}; }

 private:
  QString comment_;
};

}  // namespace flikkor
