// window.TextToXML: the page's scripting interface, and what the page's own
// controls use. Every call goes to one Web Worker that holds the compiled
// converter, so a long conversion never holds up the page. The worker's
// script is inlined in the page (a file: page may start no worker from a
// file), so it starts from a blob: address made from that text.
"use strict";

(() => {
  const source = document.getElementById("worker-source").textContent;
  const worker = new Worker(URL.createObjectURL(new Blob([source], {type: "text/javascript"})));
  const pending = new Map();
  let nextId = 0;

  worker.onmessage = (event) => {
    const {id, progress, result, error} = event.data;
    const call = pending.get(id);
    if (call === undefined) return;  // already failed with the worker
    if (progress !== undefined) {
      if (call.onProgress) call.onProgress(progress.stage, progress.done, progress.total);
      return;
    }
    pending.delete(id);
    if (error !== undefined) call.reject(new Error(error));
    else call.resolve(result);
  };

  // A worker that cannot even start (a script error) fails every call.
  worker.onerror = (event) => {
    for (const call of pending.values()) call.reject(new Error(event.message));
    pending.clear();
  };

  function request(command, options) {
    const {name, text, pictures = {}, encoding = "auto", date, onProgress} = options;
    return new Promise((resolve, reject) => {
      const id = ++nextId;
      pending.set(id, {resolve, reject, onProgress});
      worker.postMessage({id, command, name, text, pictures, encoding, date});
    });
  }

  window.TextToXML = Object.freeze({
    // {name, text, pictures, encoding, date, onProgress} -> {xml, findings, report};
    // text and pictures are Uint8Arrays or Blobs (a chosen File), xml a Blob
    convert: (options) => request("convert", options),
    // -> the check report of the text: {encoding, tasks, pictures, warnings, notes, findings}
    check: (options) => request("check", options),
    // -> the preview page, a Blob of HTML
    preview: (options) => request("preview", options),
    // -> true once the converter is made and warmed up, as it is a second
    // or two after the page opens
    ready: () => request("ready", {}),
  });
})();
