#include "host/container_site/core_reference.h"

#include "control/headless/headless_platform.h"
#include "control/ovl_chess.h"
#include "host/container_site/embedding.h"

namespace host {

Pixels CoreRender(CoreBoard board) {
  control::headless::HeadlessPlatform platform;
  control::OvlChess chess(platform);
  // What a container's InitNew brings about, as the snapshot command does it.
  chess.UserControl_Initialize();
  chess.UserControl_InitProperties();
  if (board == CoreBoard::NewGame) chess.NewGame();
  return {kBoardPixels, kBoardPixels, platform.Render()};
}

}  // namespace host
