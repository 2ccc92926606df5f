// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the browsers need around them in a test: a display (Xvfb), a sound server that plays
// into nothing (PulseAudio's null sink), free ports, and a limit on every wait for them.
import { spawn } from 'node:child_process';
import { accessSync, constants, mkdtempSync, rmSync } from 'node:fs';
import { connect, createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

// A program a browser needs, or one line naming the Debian package that brings it.
export function need(path, debianPackage) {
  try {
    accessSync(path, constants.X_OK);
  } catch {
    throw new Error(`no ${path}: install Debian's ${debianPackage} (scripts/ensure-deps.sh test does)`);
  }
  return path;
}

// `promise`, or a failure saying what did not happen within `ms`.
export function within(ms, promise, what) {
  let timer;
  const late = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`${what} did not happen within ${ms / 1000} s`)), ms);
  });
  return Promise.race([promise, late]).finally(() => clearTimeout(timer));
}

// Waits until something listens on `port` of 127.0.0.1, while `process` runs.
export async function listening(port, process) {
  for (;;) {
    const open = await new Promise((done) => {
      const socket = connect(port, '127.0.0.1', () => done(true) || socket.end()).once('error', () => done(false));
    });
    if (open) return;
    if (process.exitCode !== null) throw new Error(`${process.spawnfile} ended with code ${process.exitCode}`);
    await new Promise((done) => setTimeout(done, 50));
  }
}

export function freePort() {
  return new Promise((done, fail) => {
    const probe = createServer().once('error', fail);
    probe.listen(0, '127.0.0.1', () => {
      const { port } = probe.address();
      probe.close(() => done(port));
    });
  });
}

// Starts `command` and returns it with `stop()`, which ends it and waits for its end.
export function child(command, args, options) {
  const process = spawn(command, args, options);
  const ended = new Promise((done) => process.once('exit', done));
  process.once('error', () => {}); // a program that cannot start shows in what waits for it
  process.stop = () => {
    if (process.exitCode === null && process.signalCode === null) process.kill();
    return ended;
  };
  return process;
}

// An Xvfb of its own on a free display: { display, stop }.
export async function startDisplay() {
  need('/usr/bin/Xvfb', 'xvfb');
  const xvfb = child('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp', '-noreset'], {
    stdio: ['ignore', 'ignore', 'ignore', 'pipe'],
  });
  try {
    const number = await within(10000, new Promise((done) => xvfb.stdio[3].once('data', (d) => done(String(d).trim()))), 'Xvfb starting');
    return { display: `:${number}`, stop: xvfb.stop };
  } catch (e) {
    await xvfb.stop();
    throw e;
  }
}

// A PulseAudio of its own with a null sink, so that a browser's audio context runs as it
// would with speakers: { env, stop }, env naming the server for the browser.
export async function startSoundServer() {
  need('/usr/bin/pulseaudio', 'pulseaudio');
  const home = mkdtempSync(join(tmpdir(), 'quillby-pulse-'));
  const socket = join(home, 'socket');
  const pulse = child(
    'pulseaudio',
    ['-n', '--daemonize=no', '--exit-idle-time=-1', '-L', 'module-null-sink', '-L', `module-native-protocol-unix auth-anonymous=1 socket=${socket}`, '-L', 'module-always-sink'],
    { stdio: 'ignore', env: { ...process.env, HOME: home, XDG_RUNTIME_DIR: home } },
  );
  const stop = async () => {
    await pulse.stop();
    rmSync(home, { recursive: true, force: true });
  };
  try {
    await within(10000, waitForFile(socket, pulse), 'PulseAudio starting');
  } catch (e) {
    await stop();
    throw e;
  }
  return { env: { PULSE_SERVER: `unix:${socket}` }, stop };
}

async function waitForFile(path, process) {
  for (;;) {
    try {
      accessSync(path);
      return;
    } catch {
      if (process.exitCode !== null) throw new Error(`${process.spawnfile} ended with code ${process.exitCode}`);
      await new Promise((done) => setTimeout(done, 50));
    }
  }
}
