<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="8"/>
        <source>关于Vellumo</source>
        <translation>About Vellumo</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="35"/>
        <source>&lt;h2&gt;Vellumo&lt;/h2&gt;</source>
        <translation>&lt;h2&gt;Vellumo&lt;/h2&gt;</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="41"/>
        <source>版本: 1.0.0.03</source>
        <translation>Version: 1.0.0.03</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="47"/>
        <source>高效批量图片处理工具，支持裁剪、滤镜、水印等丰富功能。</source>
        <translation>Efficient batch image processing tool with rich features including cropping, filters, watermarks, and more.</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="54"/>
        <source>&lt;a href=&quot;https://www.vellumo.app&quot;&gt;访问官方网站&lt;/a&gt;</source>
        <translation>&lt;a href=&quot;https://www.vellumo.app&quot;&gt;Visit Official Website&lt;/a&gt;</translation>
    </message>
    <message>
        <location filename="../../aboutdialog/aboutdialog.ui" line="62"/>
        <source>© 2026 Orvantis. 保留所有权利。</source>
        <translation>© 2026 Orvantis.
All rights reserved.</translation>
    </message>
</context>
<context>
    <name>ImageListPanel</name>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="127"/>
        <source>添加图片…</source>
        <translation>Add Images…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="128"/>
        <source>添加文件夹…</source>
        <translation>Add Folder…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="129"/>
        <source>移除所选</source>
        <translation>Remove Selected</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="130"/>
        <source>清空列表</source>
        <translation>Clear List</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="131"/>
        <source>拖入图片或文件夹即可添加；右键可添加、移除或清空</source>
        <translation>Drop images or folders here to add them; right-click to add, remove or clear</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="132"/>
        <source>图片列表</source>
        <translation>Image list</translation>
    </message>
    <message>
        <location filename="../../mainwindow/imagelistpanel.cpp" line="153"/>
        <source>添加文件夹</source>
        <translation>Add Folder</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="8"/>
        <source>批量图片处理工具</source>
        <translation>Batch Image Processing Tool</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="114"/>
        <location filename="../../mainwindow/accessibility.cpp" line="49"/>
        <source>Vellumo</source>
        <translation>Vellumo</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="167"/>
        <source>添加图片</source>
        <translation>Add Images</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="184"/>
        <source>输出目录</source>
        <translation>Output Directory</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="197"/>
        <source>基本处理选项</source>
        <translation>Basic Processing Options</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="201"/>
        <source>尺寸方式:</source>
        <translation>Size by:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="221"/>
        <source>宽度:</source>
        <translation>Width:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="234"/>
        <source>高度:</source>
        <translation>Height:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="261"/>
        <source>长边:</source>
        <translation>Long edge:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="270"/>
        <location filename="../../mainwindow/mainwindow.ui" line="298"/>
        <location filename="../../mainwindow/mainwindow.ui" line="530"/>
        <source> px</source>
        <translation> px</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="289"/>
        <source>短边:</source>
        <translation>Short edge:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="317"/>
        <source>比例:</source>
        <translation>Scale:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="326"/>
        <location filename="../../mainwindow/mainwindow.ui" line="515"/>
        <source> %</source>
        <translation> %</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="341"/>
        <source>保持宽高比</source>
        <translation>Maintain Aspect Ratio</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="347"/>
        <source>裁剪</source>
        <translation>Crop</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="352"/>
        <source>不放大小图</source>
        <translation>Don&apos;t enlarge</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="357"/>
        <source>输出格式:</source>
        <translation>Output Format:</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="43"/>
        <source>JPG</source>
        <translation>JPG</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="44"/>
        <source>PNG</source>
        <translation>PNG</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="45"/>
        <source>BMP</source>
        <translation>BMP</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="46"/>
        <source>WEBP</source>
        <translation>WEBP</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="367"/>
        <source>质量:</source>
        <translation>Quality:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="380"/>
        <source>预设:</source>
        <translation>Preset:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="390"/>
        <source>管理…</source>
        <translation>Manage…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="395"/>
        <source>预览</source>
        <translation>Preview</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="411"/>
        <source>开始处理</source>
        <translation>Start Processing</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="434"/>
        <source>尺寸和角度预设</source>
        <translation>Size and Angle Presets</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="438"/>
        <source>宽高比:</source>
        <translation>Aspect Ratio:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="450"/>
        <source>标准尺寸:</source>
        <translation>Standard Sizes:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="466"/>
        <source>垂直翻转</source>
        <translation>Flip Vertically</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="471"/>
        <source>水平翻转</source>
        <translation>Flip Horizontally</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="476"/>
        <source>旋转角度:</source>
        <translation>Rotation Angle:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="492"/>
        <source>缩放与锐化</source>
        <translation>Scaling and Sharpening</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="496"/>
        <source>缩放算法:</source>
        <translation>Resampling:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="507"/>
        <source>锐化:</source>
        <translation>Sharpen:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="516"/>
        <source>不锐化</source>
        <translation>Off</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="521"/>
        <source>半径:</source>
        <translation>Radius:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="535"/>
        <source>阈值:</source>
        <translation>Threshold:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="548"/>
        <source>网页锐化</source>
        <translation>Web Sharpening</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="562"/>
        <source>色彩调整</source>
        <translation>Color Adjustment</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="566"/>
        <source>对比度:</source>
        <translation>Contrast:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="580"/>
        <location filename="../../mainwindow/mainwindow.ui" line="618"/>
        <source>0</source>
        <translation>0</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="585"/>
        <source>饱和度:</source>
        <translation>Saturation:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="599"/>
        <source>100</source>
        <translation>100</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="604"/>
        <source>亮度:</source>
        <translation>Brightness:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="626"/>
        <source>滤镜</source>
        <translation>Filters</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="630"/>
        <source>滤镜:</source>
        <translation>Filter:</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="50"/>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="51"/>
        <source>模糊</source>
        <translation>Blur</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="52"/>
        <source>灰度</source>
        <translation>Grayscale</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="53"/>
        <source>复古</source>
        <translation>Vintage</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="55"/>
        <source>边缘检测</source>
        <translation>Edge Detection</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="56"/>
        <source>浮雕</source>
        <translation>Emboss</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="58"/>
        <source>油画</source>
        <translation>Oil Painting</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="640"/>
        <source>强度:</source>
        <translation>Intensity:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="656"/>
        <source>水印设置</source>
        <translation>Watermark Settings</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="660"/>
        <source>添加水印</source>
        <translation>Add Watermark</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="668"/>
        <source>水印文字:</source>
        <translation>Watermark Text:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="681"/>
        <location filename="../../mainwindow/mainwindow.ui" line="759"/>
        <source>颜色:</source>
        <translation>Color:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="686"/>
        <location filename="../../mainwindow/mainwindow.ui" line="764"/>
        <source>选择颜色</source>
        <translation>Select Color</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="691"/>
        <source>透明度:</source>
        <translation>Transparency:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="705"/>
        <source>字体大小:</source>
        <translation>Font Size:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="718"/>
        <source>位置:</source>
        <translation>Position:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="735"/>
        <source>边框设置</source>
        <translation>Border Settings</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="739"/>
        <source>添加边框</source>
        <translation>Add Border</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="746"/>
        <source>边框厚度:</source>
        <translation>Border Thickness:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="780"/>
        <source>批量效果</source>
        <translation>Batch Effects</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="784"/>
        <source>自动增强</source>
        <translation>Auto Enhance</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="789"/>
        <source>通道提取</source>
        <translation>Channel Extraction</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="798"/>
        <source>网格分割</source>
        <translation>Grid Split</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="803"/>
        <source>行数:</source>
        <translation>Rows:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="816"/>
        <source>列数:</source>
        <translation>Columns:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="835"/>
        <source>批量重命名</source>
        <translation>Batch Rename</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="840"/>
        <source>前缀:</source>
        <translation>Prefix:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="846"/>
        <source>image</source>
        <translation>image</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="851"/>
        <source>去除元数据</source>
        <translation>Strip metadata</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.ui" line="856"/>
        <source>输出文件已存在时：</source>
        <translation>If the output exists:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="24"/>
        <source>简体中文</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="25"/>
        <source>繁體中文</source>
        <translation>繁體中文</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="26"/>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="56"/>
        <location filename="../../mainwindow/applicationmenu.cpp" line="75"/>
        <source>一键重置</source>
        <translation>One-click Reset</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="57"/>
        <source>关于Vellumo</source>
        <translation>About Vellumo</translation>
    </message>
    <message>
        <location filename="../../mainwindow/applicationmenu.cpp" line="76"/>
        <source>关于我们</source>
        <translation>About Us</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="213"/>
        <source>图片正在处理中。退出将停止处理：正在写入的文件会写完，其余的不再处理。确定要退出Vellumo吗？</source>
        <translation>Images are being processed. Exiting stops the run: files being written are finished, the rest are not processed. Are you sure you want to exit Vellumo?</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="216"/>
        <source>确认退出</source>
        <translation>Confirm Exit</translation>
    </message>
    <message>
        <location filename="../../mainwindow/mainwindow.cpp" line="214"/>
        <source>确定要退出Vellumo吗？</source>
        <translation>Are you sure you want to exit Vellumo?</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="63"/>
        <source>原始比例</source>
        <translation>Original Ratio</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="64"/>
        <source>1:1 (正方形)</source>
        <translation>1:1 (Square)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="65"/>
        <source>4:3</source>
        <translation>4:3</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="66"/>
        <source>16:9</source>
        <translation>16:9</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="67"/>
        <source>3:2</source>
        <translation>3:2</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="72"/>
        <source>自定义</source>
        <translation>Custom</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="73"/>
        <source>640x480 (VGA)</source>
        <translation>640x480 (VGA)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="74"/>
        <source>800x600 (SVGA)</source>
        <translation>800x600 (SVGA)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="76"/>
        <source>1024x768 (XGA)</source>
        <translation>1024x768 (XGA)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="78"/>
        <source>1280x720 (HD)</source>
        <translation>1280x720 (HD)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="80"/>
        <source>1920x1080 (Full HD)</source>
        <translation>1920x1080 (Full HD)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="82"/>
        <source>1080x1080 (Instagram)</source>
        <translation>1080x1080 (Instagram)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="84"/>
        <source>1200x1200</source>
        <translation>1200x1200</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="90"/>
        <source>左上角</source>
        <translation>Top Left</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="91"/>
        <source>右上角</source>
        <translation>Top Right</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="92"/>
        <source>左下角</source>
        <translation>Bottom Left</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="93"/>
        <source>右下角</source>
        <translation>Bottom Right</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="94"/>
        <source>中心</source>
        <translation>Center</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="99"/>
        <source>平滑</source>
        <translation>Smooth</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="100"/>
        <source>Lanczos 3 (细节清晰)</source>
        <translation>Lanczos 3 (Crisp Detail)</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="101"/>
        <source>双线性</source>
        <translation>Bilinear</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="102"/>
        <source>最近邻</source>
        <translation>Nearest Neighbor</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="107"/>
        <source>宽 × 高</source>
        <translation>Width × Height</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="108"/>
        <source>长边</source>
        <translation>Long Edge</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="109"/>
        <source>短边</source>
        <translation>Short Edge</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="110"/>
        <source>百分比</source>
        <translation>Percentage</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="114"/>
        <source>红色通道</source>
        <translation>Red Channel</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="115"/>
        <source>绿色通道</source>
        <translation>Green Channel</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="116"/>
        <source>蓝色通道</source>
        <translation>Blue Channel</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="117"/>
        <source>青色通道</source>
        <translation>Cyan Channel</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="118"/>
        <source>洋红通道</source>
        <translation>Magenta Channel</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="119"/>
        <source>黄色通道</source>
        <translation>Yellow Channel</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="123"/>
        <source>替换</source>
        <translation>Replace</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="124"/>
        <source>改名保存</source>
        <translation>Rename</translation>
    </message>
    <message>
        <location filename="../../processing/job/presets.cpp" line="125"/>
        <source>跳过</source>
        <translation>Skip</translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="20"/>
        <source>确认重置</source>
        <translation>Confirm Reset</translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="20"/>
        <source>确定要将应用程序重置为初始状态吗？所有设置都将被清除。</source>
        <translation>Are you sure you want to reset the application to its initial state? All settings will be cleared.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="33"/>
        <source>重置完成</source>
        <translation>Reset Completed</translation>
    </message>
    <message>
        <location filename="../../mainwindow/reset.cpp" line="33"/>
        <source>应用程序已重置为初始状态。</source>
        <translation>The application has been reset to its initial state.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="50"/>
        <source>基本设置</source>
        <translation>Basic settings</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="51"/>
        <source>高级设置</source>
        <translation>Advanced settings</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="52"/>
        <source>菜单</source>
        <translation>Menu</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="53"/>
        <source>最小化</source>
        <translation>Minimize</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="54"/>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="55"/>
        <source>水印颜色</source>
        <translation>Watermark colour</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="56"/>
        <source>边框颜色</source>
        <translation>Border colour</translation>
    </message>
    <message>
        <location filename="../../mainwindow/accessibility.cpp" line="57"/>
        <source>替换所选图片</source>
        <translation>Replace the selected images</translation>
    </message>
</context>
<context>
    <name>OptionForm</name>
    <message>
        <location filename="../../mainwindow/optionform.cpp" line="248"/>
        <source>选择颜色</source>
        <translation>Select Color</translation>
    </message>
</context>
<context>
    <name>PresetPanel</name>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="29"/>
        <source>网页 1920</source>
        <translation>Web 1920</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="30"/>
        <source>社交媒体方图 1080</source>
        <translation>Social square 1080</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="31"/>
        <source>缩略图 320</source>
        <translation>Thumbnails 320</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="32"/>
        <source>打印 TIFF</source>
        <translation>Print TIFF</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="116"/>
        <location filename="../../mainwindow/presetpanel.cpp" line="127"/>
        <source>预设名称不能为空，也不能包含 / 或 \ 或以 . 开头</source>
        <translation>A preset name cannot be empty, contain / or \ or start with .</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="129"/>
        <source>已有名为“%1”的预设</source>
        <translation>There is already a preset named “%1”</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="131"/>
        <source>无法重命名预设“%1”</source>
        <translation>Cannot rename the preset “%1”</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="139"/>
        <source>无法删除预设“%1”</source>
        <translation>Cannot delete the preset “%1”</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="170"/>
        <source>（选择预设）</source>
        <translation>(choose a preset)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="53"/>
        <source>另存为预设…</source>
        <translation>Save as Preset…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="54"/>
        <source>重命名预设…</source>
        <translation>Rename Preset…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="55"/>
        <location filename="../../mainwindow/presetpanel.cpp" line="218"/>
        <source>删除预设</source>
        <translation>Delete Preset</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="57"/>
        <source>导入任务文件…</source>
        <translation>Import Job File…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="58"/>
        <source>导出任务文件…</source>
        <translation>Export Job File…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="190"/>
        <location filename="../../mainwindow/presetpanel.cpp" line="195"/>
        <source>另存为预设</source>
        <translation>Save as Preset</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="190"/>
        <source>预设名称:</source>
        <translation>Preset name:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="195"/>
        <source>预设“%1”已存在，要替换吗？</source>
        <translation>The preset “%1” exists. Replace it?</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="207"/>
        <source>重命名预设</source>
        <translation>Rename Preset</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="207"/>
        <source>新名称:</source>
        <translation>New name:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="218"/>
        <source>确定要删除预设“%1”吗？</source>
        <translation>Delete the preset “%1”?</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="224"/>
        <source>导入任务文件</source>
        <translation>Import Job File</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="225"/>
        <location filename="../../mainwindow/presetpanel.cpp" line="233"/>
        <source>任务文件 (*.json)</source>
        <translation>Job files (*.json)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="232"/>
        <source>导出任务文件</source>
        <translation>Export Job File</translation>
    </message>
    <message>
        <location filename="../../mainwindow/presetpanel.cpp" line="242"/>
        <source>预设</source>
        <translation>Presets</translation>
    </message>
</context>
<context>
    <name>PreviewWindow</name>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="195"/>
        <source>并排对比</source>
        <translation>Side by side</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="195"/>
        <source>分割对比</source>
        <translation>Split</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="197"/>
        <source>实际大小 (100 %)</source>
        <translation>Actual size (100 %)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="210"/>
        <source>预览 — %1</source>
        <translation>Preview — %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="307"/>
        <source>无法处理：%1</source>
        <translation>Cannot process: %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="311"/>
        <source>正在渲染…</source>
        <translation>Rendering…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="311"/>
        <source>正在读取…</source>
        <translation>Reading…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="315"/>
        <source>正在计算准确结果…</source>
        <translation>Computing the exact result…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="318"/>
        <source>输出 %1 × %2 像素</source>
        <translation>Output %1 × %2 pixels</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="320"/>
        <source>正在编码…</source>
        <translation>Encoding…</translation>
    </message>
    <message>
        <location filename="../../mainwindow/previewwindow.cpp" line="321"/>
        <source>%1 文件 %2（质量 %3）</source>
        <translation>%1 file %2 (quality %3)</translation>
    </message>
</context>
<context>
    <name>RunController</name>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="117"/>
        <source>停止处理</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="117"/>
        <source>开始处理</source>
        <translation>Start Processing</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="119"/>
        <source>停止处理 (Esc)</source>
        <translation>Stop (Esc)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="119"/>
        <source>开始处理 (Ctrl+Enter)</source>
        <translation>Start Processing (Ctrl+Enter)</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="135"/>
        <source>已选择 %1 个文件</source>
        <translation>Files selected: %1</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="178"/>
        <source>打开输出文件夹</source>
        <translation>Open Output Folder</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="191"/>
        <source>已停止：%1 张图片未处理。</source>
        <translation>Stopped: %1 images not processed.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="193"/>
        <source>%1 个文件处理失败。</source>
        <translation>Files failed: %1.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="195"/>
        <source>%1 个文件已跳过。</source>
        <translation>Files skipped: %1.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="197"/>
        <source>%1 个文件有警告。</source>
        <translation>Files with warnings: %1.</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="211"/>
        <source>处理失败：</source>
        <translation>Failed:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="212"/>
        <source>已跳过：</source>
        <translation>Skipped:</translation>
    </message>
    <message>
        <location filename="../../mainwindow/runcontroller.cpp" line="213"/>
        <source>警告：</source>
        <translation>Warnings:</translation>
    </message>
</context>
</TS>
