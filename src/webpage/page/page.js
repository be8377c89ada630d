"use strict";
// The game of one puzzle. SOPALY, written before this script, holds the
// page's texts (t) and the puzzle itself encoded (d, with the key k), so
// that the page's source names no word and no place.
(() => {
  const T = SOPALY.t;
  const $ = (id) => document.getElementById(id);
  // The okabe-ito colours, which colour-blind pupils tell apart; every found
  // word is outlined as well, never marked by colour alone.
  const COLOURS = ["#e69f00", "#56b4e9", "#009e73", "#0072b2", "#d55e00", "#cc79a7", "#000000", "#b8a000"];

  function decode(text, key) {
    const bytes = Uint8Array.from(atob(text), (ch) => ch.charCodeAt(0));
    let x = key >>> 0 || 1;
    for (let i = 0; i < bytes.length; i++) {
      x ^= x << 13; x >>>= 0;
      x ^= x >>> 17;
      x ^= x << 5; x >>>= 0;
      bytes[i] ^= x & 255;
    }
    return JSON.parse(new TextDecoder().decode(bytes));
  }

  const P = decode(SOPALY.d, SOPALY.k);
  const rows = P.rows, cols = P.cols;
  const words = P.words.map((w, i) => ({ ...w, i, found: false, colour: COLOURS[i % COLOURS.length] }));
  const say = (template, ...args) => args.reduce((text, arg, i) => text.split("%" + (i + 1)).join(arg), template);
  const onShape = (r, c) => r >= 0 && r < rows && c >= 0 && c < cols && P.cells[r * cols + c] !== "";

  const board = $("board"), grid = $("grid"), marks = $("marks"), live = $("live");
  const cells = [];
  let cursor = null, anchor = null, trying = null, playing = true, hints = 0;
  const started = Date.now();
  let stopped = null;

  function announce(text) {
    // A new node each time, so that the same sentence twice is read twice.
    live.textContent = "";
    const line = document.createElement("span");
    line.textContent = text;
    live.appendChild(line);
  }

  function clockText() {
    const seconds = Math.floor(((stopped ?? Date.now()) - started) / 1000);
    return Math.floor(seconds / 60) + ":" + String(seconds % 60).padStart(2, "0");
  }

  function buildGrid() {
    board.style.setProperty("--rows", rows);
    board.style.setProperty("--cols", cols);
    for (let r = 0; r < rows; r++) {
      const row = document.createElement("div");
      row.setAttribute("role", "row");
      for (let c = 0; c < cols; c++) {
        const cell = document.createElement("div");
        cell.setAttribute("role", "gridcell");
        cell.tabIndex = -1;
        cell.textContent = P.cells[r * cols + c];
        if (!onShape(r, c)) cell.classList.add("off");
        row.appendChild(cell);
        cells.push(cell);
      }
      grid.appendChild(row);
    }
    for (let r = 0; r < rows && !cursor; r++) {
      for (let c = 0; c < cols && !cursor; c++) if (onShape(r, c)) cursor = { r, c };
    }
    cellAt(cursor).tabIndex = 0;
  }

  const cellAt = (p) => cells[p.r * cols + p.c];

  function buildSide() {
    $("counter").setAttribute("aria-live", "off");
    $("words-heading").textContent = T.listHeading;
    $("clock-label").textContent = T.clock;
    $("hint").textContent = T.hint;
    $("give-up").textContent = T.giveUp;
    $("help").textContent = T.help;
    $("message").textContent = T.message;
    if (T.hiddenList) {
      $("words-heading").hidden = true;
      $("words").hidden = true;
      $("hidden-list").textContent = T.hiddenList;
    }
    $("words").style.setProperty("--longest", Math.max(1, ...words.map((w) => [...w.text].length)));
    for (const w of words) {
      const item = document.createElement("li");
      item.textContent = w.text;
      w.item = item;
      $("words").appendChild(item);
    }
    updateCounter();
  }

  const foundCount = () => words.filter((w) => w.found).length;
  function updateCounter() {
    $("counter").textContent = say(T.counter, foundCount());
  }

  // The straight line from a to b, snapped to the nearest of the eight
  // directions and kept inside the grid.
  function snap(a, b) {
    const dr = b.r - a.r, dc = b.c - a.c;
    if (!dr && !dc) return { r: a.r, c: a.c, dr: 0, dc: 0, n: 1 };
    const turn = Math.round(Math.atan2(dr, dc) / (Math.PI / 4));
    const sr = Math.round(Math.sin(turn * Math.PI / 4)), sc = Math.round(Math.cos(turn * Math.PI / 4));
    let k = !sr ? Math.abs(dc) : !sc ? Math.abs(dr) : Math.round((Math.abs(dr) + Math.abs(dc)) / 2);
    while (k > 0 && !(a.r + k * sr >= 0 && a.r + k * sr < rows && a.c + k * sc >= 0 && a.c + k * sc < cols)) k--;
    return { r: a.r, c: a.c, dr: sr, dc: sc, n: k + 1 };
  }

  const lastOf = (line) => ({ r: line.r + (line.n - 1) * line.dr, c: line.c + (line.n - 1) * line.dc });
  const same = (p, q) => p.r === q.r && p.c === q.c;

  // The word that lies along the line, read either way.
  function wordOn(line) {
    const first = { r: line.r, c: line.c }, last = lastOf(line);
    return words.find((w) => w.n === line.n &&
      ((same(w, first) && same(lastOf(w), last)) || (same(w, last) && same(lastOf(w), first))));
  }

  function drawMark(line, className, colour) {
    const mark = document.createElement("div");
    mark.className = "mark " + className;
    const span = (line.n - 1) * (line.dr && line.dc ? Math.SQRT2 : 1);
    mark.style.setProperty("--x", line.c);
    mark.style.setProperty("--y", line.r);
    mark.style.setProperty("--span", span);
    mark.style.setProperty("--angle", Math.atan2(line.dr, line.dc) * 180 / Math.PI + "deg");
    if (colour) mark.style.setProperty("--colour", colour);
    marks.appendChild(mark);
    return mark;
  }

  function showTrying(line) {
    if (trying) trying.remove();
    trying = line ? drawMark(line, "trying") : null;
  }

  function setAnchor(p) {
    if (anchor) cellAt(anchor).removeAttribute("aria-selected");
    anchor = p;
    if (anchor) cellAt(anchor).setAttribute("aria-selected", "true");
  }

  function cellsOf(line) {
    return Array.from({ length: line.n }, (_, k) => cellAt({ r: line.r + k * line.dr, c: line.c + k * line.dc }));
  }

  function refuse(line) {
    const shown = cellsOf(line);
    shown.forEach((cell) => cell.classList.add("wrong"));
    board.classList.add("shake");
    setTimeout(() => {
      shown.forEach((cell) => cell.classList.remove("wrong"));
      board.classList.remove("shake");
    }, 400);
    announce(T.wrong);
  }

  // A selection from a to b: a word found, or nothing that costs anything.
  function select(a, b) {
    setAnchor(null);
    showTrying(null);
    if (!playing) return;
    const line = snap(a, b);
    const word = wordOn(line);
    if (!word) {
      if (line.n > 1 || !same(a, b)) refuse(line);
      return;
    }
    if (word.found) return;
    word.found = true;
    drawMark(word, "found", word.colour);
    word.item.classList.add("found");
    word.item.style.setProperty("--colour", word.colour);
    for (const cell of cellsOf(word)) {
      cell.setAttribute("aria-label", cell.textContent + ", " + T.cellFound);
    }
    updateCounter();
    announce(say(T.found, word.text) + " " + $("counter").textContent);
    report();
    if (foundCount() === words.length) finish();
  }

  // What a learning platform's runtime, if any, is told: at the start and
  // after each word.
  function report() {
    document.dispatchEvent(new CustomEvent("sopaly-progress", {
      detail: { found: foundCount(), total: words.length, over: !playing },
    }));
  }

  function stop() {
    playing = false;
    stopped = Date.now();
    $("clock").textContent = clockText();
    $("hint").disabled = true;
    $("give-up").disabled = true;
    setAnchor(null);
    showTrying(null);
    P.secret.forEach((i) => cells[i].classList.add("secret"));
  }

  function finish() {
    stop();
    const template = hints === 0 ? T.end : hints === 1 ? T.endOneHint : T.endHints;
    $("end").textContent = say(template, clockText(), hints);
    announce($("end").textContent);
  }

  function giveUp() {
    if (!playing) return;
    for (const w of words.filter((w) => !w.found)) {
      drawMark(w, "missed");
      w.item.classList.add("missed");
    }
    stop();
    $("end").textContent = T.gaveUp;
    $("end").classList.add("gave-up");
    announce(T.gaveUp);
    report();
  }

  function hint() {
    const word = words.find((w) => !w.found);
    if (!playing || !word) return;
    hints++;
    const cell = cellAt(word);
    cell.classList.remove("hint");
    void cell.offsetWidth;
    cell.classList.add("hint");
    setTimeout(() => cell.classList.remove("hint"), 2000);
    announce(say(T.hintAt, word.r + 1, word.c + 1));
  }

  // --- Keyboard: the grid pattern, one cell in the tab order --------------
  function moveCursor(p) {
    cellAt(cursor).tabIndex = -1;
    cursor = p;
    const cell = cellAt(cursor);
    cell.tabIndex = 0;
    cell.focus();
    if (anchor) showTrying(snap(anchor, cursor));
  }

  // The next cell of the shape from `from` by (dr, dc), or `from` at the edge.
  function step(from, dr, dc) {
    for (let r = from.r + dr, c = from.c + dc; r >= 0 && r < rows && c >= 0 && c < cols; r += dr, c += dc) {
      if (onShape(r, c)) return { r, c };
    }
    return from;
  }

  function rowEnd(r, last) {
    const order = [...Array(cols).keys()];
    if (last) order.reverse();
    const c = order.find((c) => onShape(r, c));
    return c === undefined ? cursor : { r, c };
  }

  function keyDown(event) {
    const moves = { ArrowUp: [-1, 0], ArrowDown: [1, 0], ArrowLeft: [0, -1], ArrowRight: [0, 1] };
    if (moves[event.key]) {
      moveCursor(step(cursor, ...moves[event.key]));
    } else if (event.key === "Home" || event.key === "End") {
      const last = event.key === "End";
      moveCursor(event.ctrlKey ? rowEnd(last ? rows - 1 : 0, last) : rowEnd(cursor.r, last));
    } else if (event.key === " " || event.key === "Enter") {
      if (!playing) return;
      if (!anchor) {
        setAnchor(cursor);
        announce(T.firstMarked);
      } else {
        select(anchor, cursor);
      }
    } else if (event.key === "Escape") {
      setAnchor(null);
      showTrying(null);
    } else {
      return;
    }
    event.preventDefault();
  }

  // --- Pointer: a mouse, a finger or a pen; a drag, or two taps -----------
  let pressed = null, fresh = false;

  function pointerCell(event) {
    const box = grid.getBoundingClientRect();
    const r = Math.floor((event.clientY - box.top) / (box.height / rows));
    const c = Math.floor((event.clientX - box.left) / (box.width / cols));
    return { r: Math.min(rows - 1, Math.max(0, r)), c: Math.min(cols - 1, Math.max(0, c)) };
  }

  function pointerDown(event) {
    if (!playing || (event.pointerType === "mouse" && event.button !== 0)) return;
    const p = pointerCell(event);
    if (!onShape(p.r, p.c)) return;
    event.preventDefault();
    grid.setPointerCapture(event.pointerId);
    pressed = p;
    fresh = !anchor;
    moveCursor(p);
    if (fresh) setAnchor(p);
  }

  function pointerMove(event) {
    if (!pressed) return;
    const p = pointerCell(event);
    showTrying(same(p, pressed) ? null : snap(pressed, p));
  }

  function pointerUp(event) {
    if (!pressed) return;
    const from = pressed, to = pointerCell(event);
    pressed = null;
    if (!same(from, to)) {
      select(from, to);  // a drag from the first letter to the last
    } else if (!fresh) {
      select(anchor, to);  // the second of two taps
    }
  }

  buildGrid();
  buildSide();
  grid.addEventListener("keydown", keyDown);
  grid.addEventListener("pointerdown", pointerDown);
  grid.addEventListener("pointermove", pointerMove);
  grid.addEventListener("pointerup", pointerUp);
  grid.addEventListener("pointercancel", () => { pressed = null; showTrying(null); });
  $("hint").addEventListener("click", hint);
  $("give-up").addEventListener("click", giveUp);
  report();
  setInterval(() => { $("clock").textContent = clockText(); }, 250);
})();
