#pragma once
// The main window's frame list on the GIF engine: the engine owns the frame records,
// the global colour table and the animation comment; this session turns the window's
// QString world into the engine's UTF-8 and byte world and routes the engine's
// messages and save dialog to the window's injected dialogs.
#include <memory>

#include "gifengine/gif_engine.h"
#include "window/animation_session.h"
#include "window/dialogs.h"

namespace flikkor {

class EngineSession : public AnimationSession {
 public:
  EngineSession();
  ~EngineSession() override;

  void attachPrompter(Prompter* prompter) override { reporter_.prompter = prompter; }
  gifengine::GifEngine* engine() override { return engine_.get(); }
  gifengine::Reporter* reporter() override { return &reporter_; }

  int frameCount() const override;
  QStringList rowCells(int i) const override;
  int loadGifFile(const QString& path, int at, std::optional<ScreenValues>& screen) override;
  void deleteFrame(int i) override;
  void duplicateFrames(int a, int n) override;
  void moveFrames(int a, int n, int d) override;
  FrameFields frameFields(int i) const override;
  void setPosition(int i, int left, int top) override;
  void setDelay(int i, int delay) override;
  void setDisposal(int i, int disposal) override;
  void setTransparency(int i, int flag, int index) override;
  void markEdited(int i) override;
  int findColour(int i, int colour) const override;
  bool makeAnimatedGif(const QString& path, const AnimationBoxes& boxes,
                       const std::function<std::optional<QString>()>& chooseName) override;
  bool makeSingleGif(int i, const QString& path) override;
  void setGlobalTableFromFrame(int i) override;
  void clearGlobalTableUse() override;
  QString predictFileSize(const QString& iteration) const override;
  QString animationComment() const override;
  void setAnimationComment(const QString& comment) override;
  std::pair<int, int> lastMadeSize() const override;

 private:
  // Engine messages shown through the window's prompter (silently answered OK
  // before the window has handed one in).
  struct PrompterReporter : gifengine::Reporter {
    Prompter* prompter = nullptr;
    gifengine::MessageAnswer ShowMessage(std::string_view caption, std::string_view text,
                                         gifengine::MessageButtons buttons) override;
  };
  // The save dialog of an interactive make: the window's own chooser callback.
  struct CallbackSaveChooser : gifengine::SaveChooser {
    std::function<std::optional<QString>()> choose;
    std::optional<std::string> ChooseSaveFile(const gifengine::SaveDialogRequest& request) override;
  };

  PrompterReporter reporter_;
  CallbackSaveChooser chooser_;
  std::unique_ptr<gifengine::GifEngine> engine_;
};

}  // namespace flikkor
