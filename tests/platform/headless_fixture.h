// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The platform's own tests: a headless platform with one 240x320 window whose procedure records
// what it receives, the backend at hand and the window's pixels readable.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <vector>

#include "platform/headless/headless_backend.h"
#include "platform/host.h"
#include "shell/platform.h"
#include "tests/support/colour_surface.h"

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override { platform::Stop(); }

    // Starts the platform again with these options and the recording window.
    void Restart(platform::HeadlessOptions options);
    COLORREF WindowPixel(int x, int y) const { return platform::Display().At(x, y); }

  public:
    static std::vector<MSG>& Received();

  protected:
    platform::HeadlessBackend* backend = nullptr;
    HWND window = nullptr;
    std::ostringstream log;
};
