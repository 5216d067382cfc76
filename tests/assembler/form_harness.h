#pragma once
// A main window over recorded and scripted services, started in a temporary folder
// that is the current folder for the test's life. Session is the frame list behind it.
#include <QDir>
#include <QTemporaryDir>
#include <memory>

#include "fake_session.h"
#include "window/image_form.h"

namespace flikkor::testing {

template <class Session>
struct FormHarness {
  QTemporaryDir dir;
  QString savedCurrent = QDir::currentPath();
  RecordingPrompter prompter;
  ScriptedFileChooser chooser;
  ScriptedWorkFolderChooser workFolders;
  MemorySettingsStore store;
  FixedAssociations associations;
  RecordingLauncher launcher;
  Session* session = nullptr;
  std::unique_ptr<TImageForm> form;

  FormHarness() { QDir::setCurrent(dir.path()); }
  ~FormHarness() {
    form.reset();
    QDir::setCurrent(savedCurrent);
  }
  // Creates the window and runs its first activation.
  void open() {
    FormServices s{&prompter, &chooser, &workFolders, &store, &associations, &launcher};
    auto owned = std::make_unique<Session>();
    session = owned.get();
    form = std::make_unique<TImageForm>(s, std::move(owned));
    form->FormActivate();
  }
  QString path(const QString& name) const { return dir.path() + "/" + name; }
};

}  // namespace flikkor::testing
