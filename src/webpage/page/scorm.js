// The page as a SCORM 1.2 package's one SCO: it reports the game to the
// platform's runtime (a Moodle course's SCORM activity, for one), when it
// finds one; with none around it plays as the plain page does.
(() => {
  // The runtime's API object in this window or one of its parents, then in
  // the opener's, as SCORM 1.2 has a SCO look for it.
  function findApi(win) {
    for (let level = 0; win && level < 8; level++) {
      try {
        if (win.API) return win.API;
      } catch (otherOrigin) {
        return null;
      }
      if (win.parent === win) break;
      win = win.parent;
    }
    return null;
  }

  const api = findApi(window) || (window.opener ? findApi(window.opener) : null);
  if (!api || String(api.LMSInitialize("")) !== "true") return;
  const started = Date.now();
  let finished = false;

  // HHHH:MM:SS.SS, SCORM 1.2's CMITimespan.
  function sessionTime() {
    const hundredths = Math.floor((Date.now() - started) / 10);
    const two = (n) => String(n).padStart(2, "0");
    return String(Math.floor(hundredths / 360000)).padStart(4, "0") + ":" +
      two(Math.floor(hundredths / 6000) % 60) + ":" + two(Math.floor(hundredths / 100) % 60) + "." +
      two(hundredths % 100);
  }

  function report(found, total) {
    const score = total > 0 ? Math.round(found * 10000 / total) / 100 : 100;
    api.LMSSetValue("cmi.core.score.min", "0");
    api.LMSSetValue("cmi.core.score.max", "100");
    api.LMSSetValue("cmi.core.score.raw", String(score));
    api.LMSSetValue("cmi.core.lesson_status", found === total ? "completed" : "incomplete");
    api.LMSSetValue("cmi.core.session_time", sessionTime());
    api.LMSCommit("");
  }

  function finish() {
    if (finished) return;
    finished = true;
    api.LMSSetValue("cmi.core.session_time", sessionTime());
    api.LMSCommit("");
    api.LMSFinish("");
  }

  document.addEventListener("sopaly-progress", (event) => report(event.detail.found, event.detail.total));
  window.addEventListener("pagehide", finish);
  window.addEventListener("beforeunload", finish);
})();
