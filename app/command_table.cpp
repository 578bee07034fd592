#include "app/command_table.h"

#include <array>

#include "app/client_dialog.h"
#include "app/control_ids.h"

namespace qorv::app {
namespace {

using N = Notification;
using D = TQorvDlgClient;

const std::array kCommands = {
    Command{kIdOptions, N::kClicked, &D::ToggleOptions},
    Command{kIdCancel, N::kClicked, &D::MinimizeMain},
    Command{kIdDefaultCommand, N::kClicked, &D::GenerateNext},
    Command{kIdGenerateNext, N::kClicked, &D::GenerateNext},
    Command{kIdStoreName, N::kClicked, &D::StoreName},
    Command{kIdStorePage, N::kClicked, &D::StorePage},
    Command{kIdClearStore, N::kClicked, &D::ClearStore},
    Command{kIdViewStore, N::kClicked, &D::ViewStore},
    Command{kIdHelp, N::kClicked, &D::ShowHelp},
    Command{kIdViewLog, N::kClicked, &D::ViewLog},
    Command{kIdChapterCombo, N::kSelectionChanged, &D::StartChapterLoad},
    Command{kIdHistoryScrollBar, N::kScrolled, &D::BrowseHistory},
    Command{kIdPageSize, N::kLostFocus, &D::CheckPageSize},
};

}  // namespace

std::span<const Command> CommandTable() {
  return kCommands;
}

void (TQorvDlgClient::*FindHandler(int control_id, Notification event))() {
  for (const Command& command : kCommands) {
    if (command.ControlId == control_id && command.Event == event) return command.Handler;
  }
  return nullptr;
}

}  // namespace qorv::app
