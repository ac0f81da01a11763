// docs/screenshots/web.png: the page after checking a text with warnings.
//   node screenshot.mjs
import path from "node:path";
import {launch, openPage, root} from "./browser.mjs";
import {removeTempFolders, textFolder, warningText} from "./texts.mjs";

const session = await launch();
const {page} = await openPage(session.browser);
await page.setViewport({width: 1000, height: 900});
const folder = await textFolder("tasks.txt", warningText);
await (await page.$("#choose-files")).uploadFile(path.join(folder, "tasks.txt"));
await page.click("#check");
await page.waitForSelector("#findings:not([hidden])");
await page.screenshot({path: path.join(root, "docs/screenshots/web.png"), fullPage: true});
await session.close();
await removeTempFolders();
