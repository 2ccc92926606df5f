// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// What the browsers need around them in a test: a display (Xvfb), a sound server that plays
// into nothing (PulseAudio's null sink), free ports, and a limit on every wait for them.
import { spawn } from 'node:child_process';
import { accessSync, constants, existsSync, mkdtempSync, rmSync } from 'node:fs';
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
}

// `promise`, or a failure saying what did not happen within `ms`.
export function within(ms, promise, what) {
  let timer;
  const late = new Promise((_, reject) => {
    timer = setTimeout(() => reject(new Error(`${what} did not happen within ${ms / 1000} s`)), ms);
  });
  return Promise.race([promise, late]).finally(() => clearTimeout(timer));
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

export const listening = (port) =>
  new Promise((done) => {
    const socket = connect(port, '127.0.0.1', () => socket.end(done(true))).once('error', () => done(false));
  });

// Starts a program that a browser needs; `stop()` ends it and waits for its end, and
// `ready(check, what)` waits up to 10 s for `check()` to hold while it runs.
export function child(command, args, options) {
  const program = spawn(command, args, options);
  let gone = null;
  const ended = new Promise((done) => {
    program.once('exit', (code) => done((gone = `${command} ended with code ${code}`)));
    program.once('error', (e) => done((gone = `${command} did not start: ${e.message}`)));
  });
  program.stop = () => {
    if (!gone) program.kill();
    return ended;
  };
  program.ready = async (check, what) => {
    const checking = (async () => {
      while (!(await check())) {
        if (gone) throw new Error(gone);
        await new Promise((done) => setTimeout(done, 50));
      }
    })();
    try {
      await within(10000, checking, what);
    } catch (e) {
      await program.stop();
      throw e;
    }
  };
  return program;
}

// An Xvfb of its own on a free display: { display, stop }.
export async function startDisplay() {
  need('/usr/bin/Xvfb', 'xvfb');
  const xvfb = child('Xvfb', ['-displayfd', '3', '-screen', '0', '1280x1024x24', '-nolisten', 'tcp', '-noreset'], {
    stdio: ['ignore', 'ignore', 'ignore', 'pipe'],
  });
  let number = '';
  xvfb.stdio[3].on('data', (d) => (number += d));
  await xvfb.ready(() => number.endsWith('\n'), 'Xvfb starting');
  return { display: `:${number.trim()}`, stop: xvfb.stop };
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
    await pulse.ready(() => existsSync(socket), 'PulseAudio starting');
  } catch (e) {
    await stop();
    throw e;
  }
  return { env: { PULSE_SERVER: `unix:${socket}` }, stop };
}
