// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// A test with the platform ready and one 240 x 320 window, made through the test host.
#pragma once

#include <gtest/gtest.h>

#include "shell/platform.h"
#include "tests/support/test_host.h"

class HostTest : public ::testing::Test {
  protected:
    // The tick at the start; a test that needs another says so.
    virtual DWORD StartTick() const { return 0; }
    void SetUp() override { window = test_host::Open(StartTick()); }
    // Whatever a test made on the platform must be gone by now: override and free it first.
    void TearDown() override { test_host::Close(); }

    HWND window = nullptr;
};
