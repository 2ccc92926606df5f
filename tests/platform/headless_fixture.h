// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// The platform's own tests: a headless platform with one 240x320 window whose procedure records
// what it receives, and the backend at hand.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <vector>

#include "platform/host.h"
#include "platform/hosts/headless/headless_backend.h"
#include "shell/platform.h"
#include "tests/support/colour_surface.h"

class HeadlessTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override { platform::Stop(); }

    // Starts the platform again with these options and the recording window.
    void Restart(platform::HeadlessOptions options);

  public:
    static std::vector<MSG>& Received();
    // The messages the window's procedure received since last asked.
    static std::vector<UINT> Delivered();
    // Takes up to `count` messages off the queue without dispatching them.
    static std::vector<UINT> Take(int count);

  protected:
    platform::HeadlessBackend* backend = nullptr;
    HWND window = nullptr;
    std::ostringstream log;
};
