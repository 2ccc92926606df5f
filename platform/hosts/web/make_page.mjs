// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: The Quillby developers
// Makes index.html a page that needs nothing else to show the title: its stylesheets and its
// module script, with every module it imports, go inside it, and so does the title picture,
// which the program draws for it (title_picture.mjs). On a slow line each file the page asks
// for first costs a round trip and a share of the line, while the program streams in beside.
// Usage: node make_page.mjs PAGE BUILT OUT
//   PAGE  the page's sources (index.html and the files it names)
//   BUILT where quillby.js and quillby.wasm are
//   OUT   the index.html to write
// Prints the files it took into the page, one a line.
import { parse } from 'acorn';
import { readFileSync, writeFileSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { encodePng, firstFrame, TITLE_HEIGHT, TITLE_WIDTH } from './title_picture.mjs';

// The names a top-level statement declares.
function declaredNames(node) {
  const declared = node.declaration ?? node;
  if (declared.type === 'VariableDeclaration') return declared.declarations.map((d) => d.id.name ?? '(a pattern)');
  if (declared.type === 'FunctionDeclaration' || declared.type === 'ClassDeclaration') return [declared.id.name];
  return [];
}

// The module `entry` of `dir` and every module it imports, dependencies first, as one module:
// imports of the page's own modules go, as does `export` before a declaration. What cannot be
// joined so (another form of import or export, two modules declaring one name) stops the
// build rather than break the page.
export function bundle(dir, entry) {
  const texts = new Map(); // file => its text, in the order they join
  const owners = new Map(); // top-level name => the file that declares it
  const visit = (file, from) => {
    if (texts.has(file)) return;
    if (from.includes(file)) throw new Error(`${[...from, file].join(' → ')}: modules importing each other`);
    const source = readFileSync(join(dir, file), 'utf8');
    const cuts = [];
    for (const node of parse(source, { ecmaVersion: 'latest', sourceType: 'module' }).body) {
      const quote = () => source.slice(node.start, node.end).split('\n')[0];
      if (node.type === 'ImportDeclaration') {
        const plain = node.specifiers.every((s) => s.type === 'ImportSpecifier' && s.imported.name === s.local.name);
        if (!plain || !/^\.\/[\w-]+\.js$/.test(node.source.value)) throw new Error(`${file}: cannot join "${quote()}"`);
        visit(node.source.value.slice(2), [...from, file]);
        cuts.push([node.start, node.end]);
      } else if (node.type === 'ExportNamedDeclaration' && node.declaration) {
        cuts.push([node.start, node.declaration.start]);
      } else if (node.type.startsWith('Export')) {
        throw new Error(`${file}: cannot join "${quote()}"`);
      }
      for (const name of declaredNames(node)) {
        if (owners.has(name)) throw new Error(`${owners.get(name)} and ${file} both declare ${name}`);
        owners.set(name, file);
      }
    }
    let text = source;
    for (const [start, end] of cuts.reverse()) text = text.slice(0, start) + text.slice(end);
    texts.set(file, text);
  };
  visit(entry, []);
  return { files: [...texts.keys()], text: [...texts.values()].join('\n') };
}

// index.html with its stylesheets, module script and title picture inside it; and the files
// now inside it.
export function inlinePage(dir, titlePicture) {
  const inlined = [];
  let html = readFileSync(join(dir, 'index.html'), 'utf8');
  html = html.replace(/<link rel="stylesheet" href="([\w-]+\.css)">/g, (_, file) => {
    inlined.push(file);
    return `<style>\n${readFileSync(join(dir, file), 'utf8')}</style>`;
  });
  html = html.replace(/<script type="module" src="([\w-]+\.js)"><\/script>/g, (_, file) => {
    const joined = bundle(dir, file);
    if (/<\/script/i.test(joined.text)) throw new Error(`${file} and its modules say </script>, which would end the page's script`);
    inlined.push(...joined.files);
    return `<script type="module">\n${joined.text}</script>`;
  });
  if (!html.includes('@QUILLBY_TITLE_PICTURE@')) throw new Error('index.html has no place for the title picture');
  html = html.replace('@QUILLBY_TITLE_PICTURE@', () => titlePicture);
  return { html, inlined };
}

if (process.argv[1] && resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const [page, built, out] = process.argv.slice(2);
  try {
    const png = encodePng(await firstFrame(built), TITLE_WIDTH, TITLE_HEIGHT);
    const { html, inlined } = inlinePage(page, `data:image/png;base64,${png.toString('base64')}`);
    writeFileSync(out, html);
    process.stdout.write(inlined.map((f) => `${f}\n`).join(''));
    process.exit(0); // the program that drew the title waits for ever
  } catch (e) {
    console.error(`quillby: cannot make the page (${e.message})`);
    process.exit(1);
  }
}
