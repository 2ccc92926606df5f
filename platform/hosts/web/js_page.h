// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The page as the browser build sees it: each call goes to the page's script through the
// functions of library_quillby.js.
#pragma once

#include "platform/hosts/web/page.h"

namespace platform {

class JsPage : public Page {
  public:
    bool OpenCanvas() override;
    void Show(const uint32_t* rgba, const RECT& area) override;
    double NowMs() override;
    std::optional<PageInput> NextInput() override;
    void Wait(int ms) override;
    void PlaySound(const Sound& sound) override;
};

}  // namespace platform
